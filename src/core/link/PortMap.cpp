#include "link/PortMap.h"

#include "app/Messages.h"
#include "app/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace zelvor {

namespace {
int portSlot(int comPort) {
    return comPort >= 0 && comPort <= 2 ? comPort : 3;
}
} // namespace

PortPaths defaultPortPaths() {
    PortPaths p;
    for (int i = 0; i < 4; ++i) {
#if defined(Q_OS_WIN)
        p[size_t(i)] = QStringLiteral("COM%1").arg(i + 1);
#else
        p[size_t(i)] = QStringLiteral("/dev/ttyS%1").arg(i);
#endif
    }
    return p;
}

PortMapParse parsePortMap(const QStringList& lines, const PortPaths& base) {
    static const QRegularExpression kLine(QStringLiteral("^\\s*COM([1-4])\\s*=\\s*(\\S.*?)\\s*$"),
                                          QRegularExpression::CaseInsensitiveOption);
    PortMapParse r{base, {}};
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(u'#') || t.startsWith(u';')) continue;
        const auto m = kLine.match(line);
        if (!m.hasMatch()) {
            r.problems << QStringLiteral("%1: %2").arg(i + 1).arg(t);
            continue;
        }
        r.paths[size_t(m.captured(1).toInt() - 1)] = m.captured(2);
    }
    return r;
}

int loadPortMap(Session& s, const QString& dir) {
    s.portPaths = defaultPortPaths();
    const QString path = QDir(dir).filePath(QString::fromLatin1(kPortMapFile));
    if (!QFileInfo::exists(path)) return 0;
    const auto lines = readTextLines(path, 64 * 1024);
    if (!lines) {
        s.fe.messageBox(s.text(msg::PortMapUnreadable) + QDir::toNativeSeparators(path),
                        FrontEnd::Icon::Warning);
        return 1;
    }
    const PortMapParse parsed = parsePortMap(*lines, s.portPaths);
    s.portPaths = parsed.paths;
    if (!parsed.problems.isEmpty())
        s.fe.messageBox(s.text(msg::PortMapBadLines) + QDir::toNativeSeparators(path) +
                            QStringLiteral("\n") + parsed.problems.join(u'\n'),
                        FrontEnd::Icon::Warning);
    return int(parsed.problems.size());
}

QString portDevice(const Session& s, int comPort) {
    if (!s.portOverride.isEmpty()) return s.portOverride;
    const QString& mapped = s.portPaths[size_t(portSlot(comPort))];
    return mapped.isEmpty() ? defaultPortPaths()[size_t(portSlot(comPort))] : mapped;
}

QString portName(int comPort) {
    return QStringLiteral("Com%1").arg(portSlot(comPort) + 1);
}

} // namespace zelvor
