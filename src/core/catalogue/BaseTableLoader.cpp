#include "catalogue/BaseTableLoader.h"

#include "app/Messages.h"
#include "app/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace zelvor {

namespace {

constexpr int kColumns = 26;

// One white-space separated token of a line: its text and the position just after it.
struct Token {
    qsizetype begin = -1;
    qsizetype end = -1;
};

Token nextToken(const QString& line, qsizetype from) {
    qsizetype i = from;
    const qsizetype n = line.size();
    while (i < n && line[i].isSpace())
        ++i;
    if (i >= n) return {};
    Token t;
    t.begin = i;
    while (i < n && !line[i].isSpace())
        ++i;
    t.end = i;
    return t;
}

// A decimal integer with an optional sign, as the table's numbers are written.
bool readInt(QStringView text, qint64& value) {
    if (text.isEmpty() || text.size() > 19) return false;
    bool ok = false;
    value = text.toLongLong(&ok, 10);
    return ok;
}

bool allDigits(QStringView text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

quint8 lowByte(qint64 v) {
    return quint8(quint64(v) & 0xFFu);
}

enum class FirstNumber { Row, Comment, Bad };

// The first number decides whether the line is a row: 10 and more (and anything below 0,
// which is no class either) make it a comment.
FirstNumber classify(QStringView text, qint64& cls) {
    if (!readInt(text, cls)) return allDigits(text) ? FirstNumber::Comment : FirstNumber::Bad;
    return (cls >= 10 || cls < 0) ? FirstNumber::Comment : FirstNumber::Row;
}

} // namespace

BaseLoadResult parseBaseTable(const QStringList& lines, BaseTable& table) {
    BaseLoadResult r;
    table.rows.clear();
    table.memTypeCount = 0;

    for (qsizetype li = 0; li < lines.size(); ++li) {
        const QString& line = lines[li];
        const int lineNo = int(li) + 1;
        Token t = nextToken(line, 0);
        if (t.begin < 0) continue; // an empty line holds no row

        qint64 cls = 0;
        const FirstNumber kind = classify(QStringView(line).mid(t.begin, t.end - t.begin), cls);
        if (kind == FirstNumber::Comment) continue;
        if (kind == FirstNumber::Bad) {
            r.code = kBaseBadNumber;
            r.line = lineNo;
            r.column = 1;
            return r;
        }
        if (table.baseCount() >= BaseTable::kMaxRows) {
            // Beyond the table's capacity: counted and reported, never stored.
            if (r.droppedRows++ == 0) r.firstDropped = lineNo;
            continue;
        }

        BaseRow row;
        row.baseClass = quint8(cls);
        row.col[1] = quint8(cls);
        row.line = lineNo;
        for (int c = 2; c <= kColumns; ++c) {
            t = nextToken(line, t.end);
            qint64 v = 0;
            if (t.begin < 0 || !readInt(QStringView(line).mid(t.begin, t.end - t.begin), v)) {
                r.code = kBaseBadNumber;
                r.line = lineNo;
                r.column = c;
                return r;
            }
            if (c == 3) {
                if (v < 0 || v > std::numeric_limits<qint32>::max() / 1024) {
                    r.code = kBaseBadSize;
                    r.line = lineNo;
                    r.column = 3;
                    return r;
                }
                row.size = qint32(v * 1024);
            } else {
                row.col[size_t(c)] = lowByte(v);
            }
        }

        // The text part starts with the character after the 26th number.
        const QString text = line.mid(t.end);
        row.baseName = text.mid(1, 15);
        if (row.baseClass == 6) {
            row.baseSigA = text.mid(16, 2);
            row.baseSigB = text.mid(19, 2);
        }
        if (row.baseClass < 5) ++table.memTypeCount;
        table.rows.push_back(std::move(row));
    }
    if (table.baseCount() == 0) r.code = kBaseEmpty;
    return r;
}

BaseLoadResult loadBaseTable(const QString& path, BaseTable& table) {
    table.rows.clear();
    table.memTypeCount = 0;
    const auto lines = readTextLines(path);
    if (!lines) {
        BaseLoadResult r;
        r.code = kBaseNoFile;
        return r;
    }
    return parseBaseTable(*lines, table);
}

QString baseLoadMessage(const Session& s, const BaseLoadResult& r, const QString& fileName) {
    const QString f = QDir::toNativeSeparators(fileName);
    switch (r.code) {
    case kBaseNoFile:
        return s.text(msg::BaseFileMissing).arg(f);
    case kBaseEmpty:
        return s.text(msg::BaseFileEmpty).arg(f);
    case kBaseBadNumber:
        return s.text(msg::BaseBadNumber).arg(f).arg(r.line).arg(r.column);
    case kBaseBadSize:
        return s.text(msg::BaseBadSize).arg(f).arg(r.line);
    default:
        break;
    }
    if (r.droppedRows > 0)
        return s.text(msg::BaseTooManyRows)
            .arg(f)
            .arg(r.droppedRows)
            .arg(r.firstDropped)
            .arg(BaseTable::kMaxRows);
    return {};
}

int loadBaseTable(Session& s, const QString& dir, QString& why) {
    const QString path = QDir(dir).filePath(QLatin1String(kBaseTableFile));
    const BaseLoadResult r = loadBaseTable(path, s.base);
    why = baseLoadMessage(s, r, path);
    if (r.code != kBaseLoaded) return r.code;
    if (!why.isEmpty()) s.fe.messageBox(why, FrontEnd::Icon::Warning);
    why.clear();
    return kBaseLoaded;
}

int findBaseByName(const BaseTable& table, const QString& name) {
    const QString want = name.left(12).trimmed();
    int found = -1;
    if (want.isEmpty()) return found;
    for (int i = 1; i <= table.baseCount(); ++i) {
        QString key = table.at(i).key();
        while (!key.isEmpty() && key.back() == u' ')
            key.chop(1);
        if (key.compare(want, Qt::CaseInsensitive) == 0) found = i;
    }
    return found;
}

} // namespace zelvor
