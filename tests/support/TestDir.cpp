#include "TestDir.h"

#include "app/TextFile.h"

#include <QFile>

namespace zelvor::test {

TestDir::TestDir() {
    dir_.setAutoRemove(true);
}

void TestDir::writeLines(const QString& name, const QStringList& lines) const {
    QByteArray data;
    for (const QString& l : lines)
        data += toCp1251(l) + "\r\n";
    writeBytes(name, data);
}

void TestDir::writeBytes(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray TestDir::readBytes(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void TestDir::copyData(const QString& name) const {
    QFile::remove(file(name));
    QFile::copy(dataFile(name), file(name));
    QFile(file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

QString dataFile(const QString& name) {
    return QStringLiteral(ZELVOR_SOURCE_DIR "/data/") + name;
}

} // namespace zelvor::test
