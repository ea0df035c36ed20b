#include "protect/PicConfig.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "app/TextFile.h"
#include "ops/Engine.h"
#include "protect/ProtectCommon.h"

#include <QDir>
#include <QHash>

namespace zelvor {

QString picOptionText(const QString& mnemonic) {
    static const QHash<QString, QString> texts = {
        {"ON", "Enabled"},
        {"OF", "Disabled"},
        {"LP", "LP oscillator"},
        {"XT", "XT oscillator"},
        {"HS", "HS oscillator"},
        {"IRC", "Internal RC"},
        {"RC", "RC oscillator"},
        {"EC", "EC oscillator"},
        {"EO", "EXTRC oscillator:I/O"},
        {"ERC", "EXTRC oscillator:CLKO"},
        {"EXT", "ExtClk:I/O"},
        {"INTIO", "Int oscillator:I/O"},
        {"IO", "Int oscillator:I/O"},
        {"INT", "Int oscillator:CLKOUT"},
        {"ERIO", "ER oscillator:I/O"},
        {"ER", "ER oscillator:CLKOUT"},
        {"RCIO", "RC oscillator:I/O"},
        {"RCC", "RC oscillator:CLKOUT"},
        {"OFF", "Memory unprotected"},
        {"ALL", "All memory protected"},
        {"UP", "Upper 256 byte memory protected"},
        {"HA", "Upper 1/2 memory protected"},
        {"LHA", "Lower 1/2 memory write protected"},
        {"QU", "Lower 1/4 memory write protected"},
        {"LO", "Lower 256 byte memory write protected"},
        {"SB", "SBODEN"},
        {"NS", "NSLEEP"},
    };
    return texts.value(mnemonic, mnemonic);
}

PicLayout parsePicLayoutLine(const QString& line) {
    PicLayout layout;
    layout.defaultWord = quint16(Str_hex(line.left(4)).value);
    QString rest = line.mid(5);
    const int hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0) rest.truncate(hash);
    for (const QString& fieldText : rest.split(QLatin1Char(';'))) {
        if (int(layout.fields.size()) == ConfigState::kMaxPicFields) break;
        const QStringList parts = fieldText.split(QLatin1Char(','));
        if (fieldText.trimmed().isEmpty()) continue;
        PicField field;
        field.name = parts.first();
        for (int i = 1; i < parts.size(); ++i) {
            if (int(field.words.size()) == ConfigState::kMaxPicOptions) break;
            const QString opt = parts[i];
            const int blank = opt.indexOf(QLatin1Char(' '));
            const QString mnemonic = blank >= 0 ? opt.left(blank) : opt;
            const QString wordText = blank >= 0 ? opt.mid(blank + 1).trimmed() : QString();
            const quint16 word =
                wordText == QLatin1String("@") ? quint16(0x3FFF) : quint16(Str_hex(wordText).value);
            field.words.push_back(word);
            field.texts << picOptionText(mnemonic);
        }
        layout.fields.push_back(field);
    }
    return layout;
}

std::optional<PicLayout> findPicLayout(const QStringList& lines, int index) {
    for (int i = 0; i < lines.size() && i <= index; ++i) {
        if (lines[i].startsWith(QLatin1Char(';'))) return std::nullopt;
        if (i == index) return parsePicLayoutLine(lines[i]);
    }
    return std::nullopt;
}

void PicCfg16(Session& s) {
    ConfigState& c = s.cfg;
    c.userId = QStringLiteral("FFFF");
    c.debugWord.clear(); // the raw word of the chip chosen before
    const auto lines = readTextLines(QDir(s.run.startDir).filePath(QLatin1String(kPicLayoutFile)));
    const auto layout = lines ? findPicLayout(*lines, s.rom.vppSel) : std::nullopt;
    if (!layout) {
        // Without the chip's line there is no layout to fold: nothing of the chip chosen
        // before may be written into this one.
        c.picFields.clear();
        c.cfgWord = 0x3FFF;
        c.picLayoutFound = false;
        return;
    }
    c.cfgWord = layout->defaultWord;
    c.picFields = layout->fields;
    c.picLayoutFound = true;
    PicBitShow16(s);
}

void PicBitShow16(Session& s) {
    ConfigState& c = s.cfg;
    for (PicField& f : c.picFields) {
        const quint16 m = f.mask();
        f.selected = -1;
        for (int i = 0; i < int(f.words.size()); ++i) {
            if ((c.cfgWord & m) == (f.words[size_t(i)] & m)) {
                f.selected = i;
                break;
            }
        }
        if (f.selected < 0) {
            f.selected = 0;
            s.fe.messageBox(s.text(msg::CfgMaskWrong).arg(f.name), FrontEnd::Icon::Warning);
        }
    }
}

void foldPicFields(ConfigState& c) {
    for (const PicField& f : c.picFields) {
        if (f.words.empty()) continue;
        const int sel = f.selected >= 0 && f.selected < int(f.words.size()) ? f.selected : 0;
        const quint16 m = f.mask();
        c.cfgWord = quint16((c.cfgWord & ~m) | (f.words[size_t(sel)] & m));
    }
}

int choosePicOption(Session& s, int field, int option) {
    ConfigState& c = s.cfg;
    if (s.op.busy || field < 0 || field >= int(c.picFields.size())) return kRefused;
    PicField& f = c.picFields[size_t(field)];
    if (option < 0 || option >= int(f.words.size())) return kRefused;
    f.selected = option;
    const quint16 m = f.mask();
    c.cfgWord = quint16((c.cfgWord & ~m) | (f.words[size_t(option)] & m));
    return 0;
}

QString setPicUserId(Session& s, const QString& text) {
    if (!s.op.busy) s.cfg.userId = text.toUpper().left(4);
    return s.cfg.userId;
}

bool picShortForm(const RomParams& rom) {
    return rom.pulseAlg == 1 && rom.variant == 0;
}

int PicCfgW(Session& s) {
    ConfigState& c = s.cfg;
    ShowMessageS(s, QString());
    if (!c.picLayoutFound) {
        s.op.opState = kRefused;
        ShowMessageS(s, msg::CfgNoLayout);
        return s.op.opState;
    }
    const HexValue id = Str_hex(c.userId);
    if (id.error || c.userId.isEmpty() || c.userId.size() > 4) {
        s.op.opState = kRefused;
        ShowMessageS(s, msg::CfgBadId);
        return s.op.opState;
    }
    const bool shortForm = picShortForm(s.rom);
    s.op.opStart = 0;
    s.op.opEnd = shortForm ? 0 : 7;
    foldPicFields(c);

    auto& aux = s.link.auxBuf;
    for (int i = 0; i < 16; i += 2) {
        aux[size_t(i)] = 0x3F;
        aux[size_t(i + 1)] = 0xFF;
    }
    qint32 opLen = 2;
    if (shortForm) {
        aux[0] = quint8(c.cfgWord >> 8);
        aux[1] = quint8(c.cfgWord);
    } else {
        opLen = 16;
        for (int k = 0; k < 4; ++k)
            aux[size_t(1 + 2 * k)] = quint8(0xF0 | ((id.value >> (12 - 4 * k)) & 0x0F));
        aux[12] = quint8(c.picWord6 >> 8);
        aux[13] = quint8(c.picWord6);
        aux[14] = quint8(c.cfgWord >> 8);
        aux[15] = quint8(c.cfgWord);
    }
    s.op.progStep = 65536;
    s.op.progMax = 2;
    s.op.progPos = 0;
    s.op.lenBl = 16;
    ShowMessageS(s, msg::WaitShort);
    {
        AreaScope area(s, 2);
        Read_otw(s, 0, opLen);
        // Read back: the ID nibbles and the bits the configuration fields cover.
        quint16 fieldBits = 0;
        for (const PicField& f : c.picFields)
            fieldBits |= f.mask();
        if (c.picFields.empty()) fieldBits = 0x3FFF; // no fields: the whole word counts
        const int cfgAt = shortForm ? 0 : 14;
        verifyConfigWrite(s, opLen, s.rom.baseWidth, [&](int i) -> quint8 {
            if (i == cfgAt) return quint8(fieldBits >> 8);
            if (i == cfgAt + 1) return quint8(fieldBits);
            if (!shortForm && i < 8 && i % 2 == 1) return 0x0F;
            return 0x00;
        });
    }
    reportConfigWrite(s, opLen);
    return s.op.opState;
}

int PicCfgR(Session& s) {
    ConfigState& c = s.cfg;
    const bool shortForm = picShortForm(s.rom);
    s.op.progPos = 0;
    s.op.progMax = 16;
    s.op.opStart = 0;
    s.op.opEnd = shortForm ? 0 : 7;
    ShowMessageS(s, QString());
    ShowMessageS(s, msg::WaitShort);
    {
        AreaScope area(s, 2);
        WidthScope width(s, s.rom.baseWidth);
        Read_otv(s, -1, true);
    }
    const int rc = s.op.opState;
    if (rc == 0) {
        ShowMessageS(s, msg::CfgRead);
    } else if (rc != opres::kCancelled) {
        reportLinkError(s, false);
        return rc;
    }
    const auto& aux = s.link.auxBuf;
    if (shortForm) {
        c.cfgWord = quint16(aux[0] << 8 | aux[1]);
    } else {
        c.picWord6 = quint16(aux[12] << 8 | aux[13]);
        quint32 id = 0;
        for (int k = 0; k < 4; ++k)
            id = id << 4 | (aux[size_t(1 + 2 * k)] & 0x0F);
        c.userId = Hex_str(id, 4);
        c.cfgWord = quint16(aux[14] << 8 | aux[15]);
    }
    if (s.run.debugMode == 1) c.debugWord = Hex_str(c.cfgWord, 4);
    PicBitShow16(s);
    return rc;
}

} // namespace zelvor
