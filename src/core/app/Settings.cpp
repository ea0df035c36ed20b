#include "app/Settings.h"

#include "app/TextFile.h"

#include <QDir>

namespace zelvor {

namespace {

// Reads numbers the way the settings file was always read: white space (line ends
// included) separates them; anything else where a number should be is a read error.
class NumberReader {
  public:
    explicit NumberReader(const QString& text) : t_(text) {}

    bool readInt(qint64& out) {
        while (pos_ < t_.size() && t_[pos_].isSpace())
            ++pos_;
        if (pos_ >= t_.size()) return false;
        bool neg = false;
        if (t_[pos_] == QLatin1Char('+') || t_[pos_] == QLatin1Char('-')) {
            neg = t_[pos_] == QLatin1Char('-');
            ++pos_;
        }
        const qsizetype start = pos_;
        qint64 v = 0;
        while (pos_ < t_.size() && t_[pos_].isDigit() && t_[pos_].unicode() < 128) {
            if (v < 100000000000LL) v = v * 10 + (t_[pos_].unicode() - '0');
            ++pos_;
        }
        if (pos_ == start) return false;
        if (pos_ < t_.size() && !t_[pos_].isSpace()) return false;
        out = neg ? -v : v;
        return true;
    }

    // Skips the rest of the current line and its line end.
    void skipLine() {
        while (pos_ < t_.size() && t_[pos_] != QLatin1Char('\r') && t_[pos_] != QLatin1Char('\n'))
            ++pos_;
        skipLineEnd();
    }

    // The rest of the current line, without its end.
    QString readLine() {
        const qsizetype start = pos_;
        while (pos_ < t_.size() && t_[pos_] != QLatin1Char('\r') && t_[pos_] != QLatin1Char('\n'))
            ++pos_;
        QString line = t_.mid(start, pos_ - start);
        skipLineEnd();
        return line;
    }

    bool atEnd() const { return pos_ >= t_.size(); }

  private:
    void skipLineEnd() {
        if (pos_ < t_.size() && t_[pos_] == QLatin1Char('\r')) ++pos_;
        if (pos_ < t_.size() && t_[pos_] == QLatin1Char('\n')) ++pos_;
    }

    const QString& t_;
    qsizetype pos_ = 0;
};

void applyDefaults(Session& s, qint64 baudRead, bool baudWasRead) {
    PrgSettings& p = s.settings;
    p.comPort = 0;
    p.romIdx = 1;
    p.fileFmt = 1;
    p.model = 3;
    p.byMaker = 0;
    s.rom.lowVcc = 0;
    Set_chdata(s);
    if (baudWasRead) p.baudIdx = (baudRead >= 0 && baudRead <= 8) ? int(baudRead) : 0;
}

} // namespace

int modelFromText(const QString& text) {
    if (text == QStringLiteral("Зелвор-A")) return 4;
    if (text == QStringLiteral("Зелвор-AX")) return 6;
    if (text == QStringLiteral("Зелвор-B")) return 5;
    return 3;
}

QString modelText(int model) {
    switch (model) {
    case 4:
        return QStringLiteral("Зелвор-A");
    case 5:
        return QStringLiteral("Зелвор-B");
    case 6:
        return QStringLiteral("Зелвор-AX");
    default:
        return QStringLiteral("Зелвор-C");
    }
}

SettingsLoad parseSettings(Session& s, const QString& text) {
    PrgSettings& p = s.settings;
    p.model = 0;
    NumberReader r(text);
    qint64 v[5] = {};
    qint64 autos[7] = {};
    bool ok = true;
    int got = 0;
    for (; got < 5 && ok; ++got)
        ok = r.readInt(v[got]);
    if (!ok) --got;
    QString modelLine;
    if (ok) {
        r.skipLine();
        if (r.atEnd())
            ok = false; // no model line: the file was cut short
        else
            modelLine = r.readLine();
    }
    for (int i = 0; ok && i < 7; ++i)
        ok = r.readInt(autos[i]);

    // The language and the speed code count as soon as they were read.
    const bool baudRead = got >= 4;
    if (got >= 5 && (v[4] == 0 || v[4] == 1)) p.english = int(v[4]);
    if (!ok) {
        applyDefaults(s, v[3], baudRead);
        return SettingsLoad::Unreadable;
    }

    bool rejected = false;
    if (v[0] >= 1 && v[0] <= 4)
        p.comPort = quint16(v[0] - 1);
    else
        rejected = true;

    if (v[1] >= 1000) {
        const qint64 cat = v[1] - 1000;
        p.byMaker = 1;
        if (cat >= 1 && cat <= s.cat.catCount() && s.cat.at(int(cat)).base >= 1 &&
            s.base.valid(s.cat.at(int(cat)).base)) {
            p.catIdx = int(cat);
            p.romIdx = s.cat.at(int(cat)).base;
        } else {
            rejected = true;
        }
    } else {
        p.byMaker = 0;
        if (s.base.valid(int(v[1])))
            p.romIdx = int(v[1]);
        else
            rejected = true;
    }
    if (v[2] >= 1 && v[2] <= 2)
        p.fileFmt = int(v[2]);
    else
        rejected = true;
    if (v[3] >= 0 && v[3] <= 8)
        p.baudIdx = int(v[3]);
    else
        rejected = true;
    if (!(v[4] == 0 || v[4] == 1)) rejected = true;
    p.model = modelFromText(modelLine);
    int* autoFields[7] = {&p.autoErase, &p.autoBlank, &p.autoWrite, &p.autoCompare,
                          &p.autoLock,  &p.autoData,  &p.autoCfgw};
    for (int i = 0; i < 7; ++i)
        *autoFields[i] = int(autos[i]);

    // The model's refusals, the same as when the chip is chosen (Zelvor-B refuses the whole
    // adapter list 7, 8, 9, 18 and 21 here too).
    if (!rejected && modelRefusal(s, p.romIdx, ModelCheck::Selection) != kModelAllows)
        rejected = true;
    if (rejected) {
        applyDefaults(s, v[3], true);
        return SettingsLoad::Rejected;
    }
    return SettingsLoad::Accepted;
}

SettingsLoad loadSettings(Session& s, const QString& dir) {
    s.run.startDir = dir;
    const auto lines = readTextLines(QDir(dir).filePath(QLatin1String(kSettingsFile)), 64 * 1024);
    if (!lines) {
        s.settings.model = 0;
        applyDefaults(s, 0, false);
        return QFile::exists(QDir(dir).filePath(QLatin1String(kSettingsFile)))
                   ? SettingsLoad::Unreadable
                   : SettingsLoad::Missing;
    }
    return parseSettings(s, lines->join(QStringLiteral("\r\n")));
}

QStringList settingsLines(const PrgSettings& p) {
    const int chip = p.byMaker == 1 ? p.catIdx + 1000 : p.romIdx;
    return {QStringLiteral("%1 %2 %3 %4 %5")
                .arg(p.comPort + 1)
                .arg(chip)
                .arg(p.fileFmt)
                .arg(p.baudIdx)
                .arg(p.english),
            modelText(p.model),
            QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                .arg(p.autoErase)
                .arg(p.autoBlank)
                .arg(p.autoWrite)
                .arg(p.autoCompare)
                .arg(p.autoLock)
                .arg(p.autoData)
                .arg(p.autoCfgw)};
}

bool saveSettings(const Session& s) {
    if (s.run.startDir.isEmpty()) return false;
    PrgSettings saved = s.settings;
    if (s.run.languageToggled) saved.english = saved.english ? 0 : 1;
    return writeTextLines(QDir(s.run.startDir).filePath(QLatin1String(kSettingsFile)),
                          settingsLines(saved));
}

void Set_chdata(Session& s) {
    PrgSettings& st = s.settings;
    st.autoErase = 0;
    st.autoBlank = 0;
    st.autoWrite = 1;
    st.autoCompare = 1;
    st.autoLock = 0;
    st.autoData = 0;
    st.autoCfgw = 0;
}

int modelRefusal(const Session& s, int baseIndex, ModelCheck when) {
    if (!s.base.valid(baseIndex)) return kUnknownBase;
    const BaseRow& row = s.base.at(baseIndex);
    if (s.settings.model == 3 && row.col[26] == 3) return kRefusedByC;
    if (s.settings.model == 5) {
        const int ad = row.baseAdapter();
        const bool adapterRefused = ad == 7 || ad == 8 || ad == 9 ||
                                    (when == ModelCheck::Selection && (ad == 18 || ad == 21));
        if (row.baseClass == 1 || adapterRefused) return kRefusedByB;
    }
    return kModelAllows;
}

QString modelRefusalText(const Session& s, int code) {
    switch (code) {
    case kUnknownBase:
        return s.text(msg::ChipNotSupported);
    case kRefusedByC:
        return s.text(msg::ModelCRefuses);
    case kRefusedByB:
        return s.text(msg::ModelBRefuses);
    default:
        return {};
    }
}

} // namespace zelvor
