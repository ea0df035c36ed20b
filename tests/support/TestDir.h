#pragma once
// A temporary folder for a test, with helpers to write Windows-1251/CR LF list files.

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zelvor::test {

class TestDir {
  public:
    TestDir();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    // Writes lines joined by CR LF (with a final CR LF), Windows-1251 encoded.
    void writeLines(const QString& name, const QStringList& lines) const;
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& name) const;
    // Copies a shipped data file (data/NAME) into this folder.
    void copyData(const QString& name) const;

  private:
    QTemporaryDir dir_;
};

// Path of a shipped data file.
QString dataFile(const QString& name);

} // namespace zelvor::test
