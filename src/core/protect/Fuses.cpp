#include "protect/Fuses.h"

#include "catalogue/AlgFamilies.h"

#include "app/AlgSet.h"
#include "app/HexText.h"
#include "app/Messenger.h"
#include "app/TextFile.h"
#include "link/SetupPacket.h"
#include "ops/Engine.h"
#include "protect/LockBits.h"
#include "protect/ProtectCommon.h"

#include <QDir>

#include <algorithm>

namespace zelvor {

namespace {

constexpr int kFuseReplyTries = 10;
// AVR families whose boot-lock boxes stay disabled.
constexpr AlgSet kNoBootLock{42, 52, 55};
// AVR families with a calibration byte, shown for their 512-word parts.
constexpr AlgSet kCalibrationByte{52, 55};

bool is45v1(const RomParams& r) {
    return r.algCode == 45 && r.variant == 1;
}

// Lock value of the two-box chips: 0xFF with bit 0x02 cleared for lb1 and 0x04 for lb2.
quint8 twoBoxLockValue(const ConfigState& c) {
    quint8 v = 0xFF;
    if (c.lockChecked[0]) v &= quint8(~0x02);
    if (c.lockChecked[1]) v &= quint8(~0x04);
    return v;
}

// Direct serial commands: each (command, value) pair as opStart = opEnd = value << 8,
// stopping at the first that does not get through. With `judge` the reply must be 0x55.
int directCommands(Session& s, const std::vector<std::pair<quint8, quint8>>& cmds, bool judge) {
    s.op.opCode = 3;
    s.op.opState = 0;
    for (const auto& [cmd, value] : cmds) {
        s.op.opStart = s.op.opEnd = qint32(value) << 8;
        s.op.cmdArg = cmd;
        if (commandExchange(s, kFuseReplyTries) != 0) {
            s.op.opState = 1;
            break;
        }
        if (judge && s.link.ansBuf[0] != 0x55) {
            s.op.opState = opres::kBadReply;
            break;
        }
    }
    return s.op.opState;
}

} // namespace

FuseLayout parseFuseLayoutLine(const QString& line) {
    FuseLayout l;
    const int blank = line.left(7).indexOf(QLatin1Char(' '));
    const int count = blank == 2 ? 1 : blank == 4 ? 2 : blank == 6 ? 3 : 0;
    bool ok = count > 0;
    for (int i = 0; ok && i < count; ++i) {
        const HexValue v = Str_hex(line.mid(2 * i, 2));
        ok = !v.error;
        l.defaults[size_t(i)] = quint8(v.value);
    }
    l.fuseCount = ok ? count : 0;
    const QString rest = line.mid(7);
    const int end = rest.indexOf(QLatin1Char(' '));
    QStringList names = (end >= 0 ? rest.left(end) : rest).split(QLatin1Char(','));
    if (end < 0 && !names.isEmpty()) names.last().clear();
    for (int i = 0; i < names.size() && i < 21; ++i)
        l.names[size_t(i)] = names[i];
    return l;
}

int fuseLayoutLineNumber(const RomParams& r) {
    return mcs51ParallelFuses(r) || mcs51SerialFuses(r) ? 27 : r.vccSel;
}

std::optional<FuseLayout> findFuseLayout(const QStringList& lines, int number) {
    for (int i = 0; i < lines.size() && i < number; ++i) {
        if (lines[i].startsWith(QLatin1Char(';'))) return std::nullopt;
        if (i + 1 == number) return parseFuseLayoutLine(lines[i]);
    }
    return std::nullopt;
}

std::vector<FuseBox> fuseBoxMap(const RomParams& r) {
    std::vector<FuseBox> m;
    if (is45v1(r)) {
        m = {{true, 0, 0, 0x80}, {true, 1, 0, 0x40}, {false, 0, 0, 0x01}, {false, 5, 0, 0x20}};
    } else if (mcs51ParallelFuses(r)) {
        m = {{true, 0, 0, 0x01}, {true, 1, 0, 0x02}};
        for (int i = 0; i < 4; ++i)
            m.push_back({false, i, 0, quint8(0x10 << i)});
    } else if (mcs51SerialFuses(r)) {
        m = {{true, 0, 0, 0x01}, {true, 1, 0, 0x02}};
        for (int i = 0; i < 4; ++i)
            m.push_back({false, i, 1, quint8(1 << i)});
    } else if (r.algCode == 42) {
        m = {{true, 0, 0, 0x02}, {true, 1, 0, 0x04}};
        for (int i = 0; i < 8; ++i)
            m.push_back({false, i, 1, quint8(1 << i)});
    } else {
        for (int i = 0; i < 6; ++i)
            m.push_back({true, i, 0, quint8(1 << i)});
        for (int i = 0; i < 8; ++i)
            m.push_back({false, i, 1, quint8(1 << i)});
        for (int i = 0; i < 8; ++i)
            m.push_back({false, 8 + i, 2, quint8(1 << i)});
        for (int i = 0; i < 5; ++i)
            m.push_back({false, 16 + i, 3, quint8(1 << i)});
    }
    return m;
}

BoxAccess fuseBoxAccess(const Session& s, bool lock, int box) {
    const int count = lock ? ConfigState::kLockBoxes : ConfigState::kFuseBoxes;
    if (box < 0 || box >= count) return {};
    const auto map = fuseBoxMap(s.rom);
    const bool mapped = std::any_of(
        map.begin(), map.end(), [&](const FuseBox& x) { return x.lock == lock && x.box == box; });
    const ConfigState& c = s.cfg;
    if (!lock) {
        const bool shown = mapped && !c.fuseNames[size_t(box)].isEmpty();
        return {shown, shown};
    }
    if (box < 2) return {true, mapped};
    return {c.bootLockVisible, c.bootLockVisible && c.bootLockEnabled && mapped};
}

int setFuseBox(Session& s, bool lock, int box, bool checked) {
    if (s.op.busy || !fuseBoxAccess(s, lock, box).enabled) return kRefused;
    (lock ? s.cfg.lockChecked[size_t(box)] : s.cfg.fuseChecked[size_t(box)]) = checked;
    foldFuseBoxes(s);
    FuseSetN(s);
    return 0;
}

void FuseShow(Session& s) {
    RomParams& r = s.rom;
    ConfigState& c = s.cfg;
    const auto lines = readTextLines(QDir(s.run.startDir).filePath(QLatin1String(kFuseLayoutFile)));
    const auto layout = lines ? findFuseLayout(*lines, fuseLayoutLineNumber(r)) : std::nullopt;
    if (!layout) {
        c.fuseLayoutFound = false;
        return;
    }
    c.fuseLayoutFound = true;
    if (layout->fuseCount > 0) {
        c.fuseCount = layout->fuseCount;
        if (c.fuseCount == 1 && is45v1(r)) {
            r.fuseBytes[0] = layout->defaults[0];
        } else {
            for (int i = 0; i < c.fuseCount; ++i)
                r.fuseBytes[size_t(i + 1)] = layout->defaults[size_t(i)];
            r.fuseBytes[0] = 0xFF;
        }
    }
    c.fuseNames = layout->names;
    FuseSetN(s);
}

void FuseSetN(Session& s) {
    const RomParams& r = s.rom;
    ConfigState& c = s.cfg;
    const auto& b = r.fuseBytes;
    c.bootLockEnabled = !(c.fuseCount == 1 || (r.algCode == 26 && r.pulseAlg == 0) ||
                          mcs51SerialFuses(r) || kNoBootLock.contains(r.algCode));
    c.bootLockVisible = !(mcs51ParallelFuses(r) || mcs51SerialFuses(r));
    QString line;
    switch (c.fuseCount) {
    case 1:
        if (is45v1(r) || mcs51ParallelFuses(r))
            line = Hex_str(b[0], 2);
        else if (mcs51SerialFuses(r))
            line = Hex_str(b[1], 2) + Hex_str(b[0], 2);
        else
            line = Hex_str(b[1], 2);
        break;
    case 2:
        line = Hex_str(b[1], 2) + Hex_str(b[2], 2);
        break;
    default:
        line = Hex_str(b[1], 2) + Hex_str(b[2], 2) + Hex_str(b[3], 2);
        break;
    }
    if (kCalibrationByte.contains(r.algCode) && r.romLen == 512)
        line += QStringLiteral("     Cal. byte ") + Hex_str(b[4], 2);
    c.fuseValueLine = line;
    for (const FuseBox& x : fuseBoxMap(r)) {
        const bool checked = (b[size_t(x.byte)] & x.bit) == 0;
        (x.lock ? c.lockChecked[size_t(x.box)] : c.fuseChecked[size_t(x.box)]) = checked;
    }
}

void foldFuseBoxes(Session& s) {
    auto& b = s.rom.fuseBytes;
    for (const FuseBox& x : fuseBoxMap(s.rom)) {
        const bool checked =
            x.lock ? s.cfg.lockChecked[size_t(x.box)] : s.cfg.fuseChecked[size_t(x.box)];
        b[size_t(x.byte)] =
            checked ? quint8(b[size_t(x.byte)] & ~x.bit) : quint8(b[size_t(x.byte)] | x.bit);
    }
}

int WrtFuse(Session& s) {
    const RomParams& r = s.rom;
    const auto& b = r.fuseBytes;
    foldFuseBoxes(s);

    // Lock steps in the areas given, each with its value; the first step that is not done
    // ends the write with its own message.
    auto steps = [&s](const std::vector<std::pair<qint32, quint8>>& list) {
        ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
        s.op.opStart = s.op.opEnd = 0;
        s.op.opState = 0;
        for (const auto& [area, value] : list) {
            AreaScope scope(s, area);
            s.op.lockByte = value;
            if (Set_Bit(s, kLockValue) != LockResult::Done)
                return s.op.opState != 0 ? s.op.opState : kRefused;
        }
        return 0;
    };

    int rc = 0;
    if (is45v1(r)) {
        rc = steps({{2, quint8(b[0] | 0xC0)}, {3, twoBoxLockValue(s.cfg)}});
    } else if (r.algCode == 45) {
        std::vector<std::pair<qint32, quint8>> list{{2, b[1]}, {4, b[2]}};
        if (r.pulseAlg == 0) list.push_back({5, b[3]});
        list.push_back({3, b[0]});
        rc = steps(list);
    } else if (mcs51SerialFuses(r)) {
        rc = steps({{2, quint8((b[1] & 0x0F) | 0x10)}, {3, quint8((b[0] & 0x03) | 0xE0)}});
    } else if (mcs51ParallelFuses(r)) {
        rc = steps({{s.op.area, b[0]}});
    } else {
        ShowMessageS(s, QString());
        ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
        if (r.algCode == 42) {
            // The lock-step packets of this chip carry neither the fuse byte nor the lock
            // value: both go as direct commands, and each answer must confirm. Lock bits
            // stay subject to the chip's lock permission.
            const quint8 lock = twoBoxLockValue(s.cfg);
            if (r.canLock != 1 && lock != 0xFF) {
                ShowMessageS(s, msg::NoLockBit);
                s.op.opState = kRefused;
                return kRefused;
            }
            std::vector<std::pair<quint8, quint8>> cmds{{0xA0, b[1]}};
            if (r.canLock == 1) cmds.push_back({0xE0, lock});
            rc = directCommands(s, cmds, true);
        } else {
            std::vector<std::pair<quint8, quint8>> cmds{{0xE0, b[0]}, {0xA0, b[1]}, {0xA8, b[2]}};
            if (s.cfg.fuseCount == 3) cmds.push_back({0xA4, b[3]});
            rc = directCommands(s, cmds, false);
        }
        if (rc == opres::kBadReply) {
            ShowMessageS(s, msg::LockProgError);
            return rc;
        }
        if (rc != 0) {
            reportLinkError(s, false);
            return rc;
        }
    }
    s.op.opState = rc;
    if (rc != 0) return rc; // the lock step has shown what went wrong
    ShowMessageS(s, msg::FuseSet);
    FuseSetN(s);
    return 0;
}

int ReadFuse(Session& s) {
    const RomParams& r = s.rom;
    auto& b = s.rom.fuseBytes;
    const auto& aux = s.link.auxBuf;
    if (r.algCode == 45) {
        s.op.progPos = 0;
        s.op.progMax = 16;
        s.op.opStart = s.op.opEnd = 0;
        ShowMessageS(s, QString());
        ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
        WidthScope width(s, 16);
        {
            AreaScope area(s, 2);
            Read_otv(s, -1, true);
        }
        if (s.op.opState == 0) {
            b[0] = aux[1];
            b[1] = aux[0];
            if (r.variant == 0) {
                AreaScope area(s, 3);
                Read_otv(s, -1, true);
                if (s.op.opState == 0) {
                    b[2] = aux[1];
                    b[3] = aux[0];
                }
            }
        }
    } else {
        ShowMessageS(s, QString());
        ShowMessageSw(s, QString::fromUtf8(msg::WaitLong.ru));
        std::vector<std::pair<quint8, qint32>> pairs;
        if (mcs51SerialFuses(r))
            pairs = {{0x24, 0}, {0x21, 0}};
        else if (mcs51ParallelFuses(r))
            pairs = {{0x00, 3}};
        else if (r.algCode == 42)
            pairs = {{0x58, 0}, {0x50, 0}};
        else
            pairs = {{0x58, 0}, {0x50, 0}, {0x58, 0x800}, {0x50, 0x800}, {0x38, 0}};
        s.op.opState = 0;
        for (size_t i = 0; i < pairs.size() && s.op.opState == 0; ++i) {
            s.op.opCode = 7;
            s.op.opStart = s.op.opEnd = pairs[i].second;
            s.op.cmdArg = pairs[i].first;
            Read_bt(s);
            if (s.op.opState == 0) b[i] = aux[0];
        }
    }
    const int rc = s.op.opState;
    if (rc != 0 && rc != opres::kCancelled) {
        reportLinkError(s, false);
        return rc;
    }
    if (rc == 0) ShowMessageS(s, msg::FuseRead);
    FuseSetN(s);
    return rc;
}

} // namespace zelvor
