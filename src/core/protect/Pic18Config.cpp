#include "protect/Pic18Config.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "ops/Engine.h"
#include "protect/ProtectCommon.h"

namespace zelvor {

namespace {

constexpr Pic18Box kBoxes[] = {
    {"oscen", "Oscillator option enabled", 1, 0x20, false},
    {"pwrt", "PWRT enabled", 2, 0x01, false},
    {"boren", "Brown-out Reset disabled", 2, 0x02, false},
    {"wdten", "WDT disabled", 3, 0x01, false},
    {"ccp2", "CCP2 multipl. with RB3", 5, 0x01, false},
    {"stvren", "Stack o-/u-flow Reset", 6, 0x01, false},
    {"lvp", "LVP disabled", 6, 0x04, false},
    {"bkbug", "Backgr. debug.enabled", 6, 0x80, false},
    {"CP0", "CP0", 8, 0x01, false},
    {"CP1", "CP1", 8, 0x02, false},
    {"CP2", "CP2", 8, 0x04, true},
    {"CP3", "CP3", 8, 0x08, true},
    {"cpb", "CPB", 9, 0x40, false},
    {"cpd", "CPD", 9, 0x80, false},
    {"wrt0", "WRT0", 10, 0x01, false},
    {"wrt1", "WRT1", 10, 0x02, false},
    {"wrt2", "WRT2", 10, 0x04, true},
    {"wrt3", "WRT3", 10, 0x08, true},
    {"wrtc", "WRTC", 11, 0x20, false},
    {"wrtb", "WRTB", 11, 0x40, false},
    {"wrtd", "WRTD", 11, 0x80, false},
    {"ebtr0", "EBTR0", 12, 0x01, false},
    {"ebtr1", "EBTR1", 12, 0x02, false},
    {"ebtr2", "EBTR2", 12, 0x04, true},
    {"ebtr3", "EBTR3", 12, 0x08, true},
    {"ebtrb", "EBTRB", 13, 0x40, false},
};

} // namespace

std::span<const Pic18Box> pic18Boxes() {
    return kBoxes;
}

QStringList pic18FoscItems() {
    return {"RC oscillator w/OSC2 as RA6",
            "HS oscillator w/PLL enabled",
            "EC oscillator w/OSC2 as RA6",
            "RC oscillator w/OSC2 as output",
            "RC oscillator",
            "HS oscillator",
            "XT oscillator",
            "LP oscillator"};
}

QStringList pic18BorvItems() {
    return {"Vbor set to 2.0V", "Vbor set to 2.7V", "Vbor set to 4.2V", "Vbor set to 4.5V"};
}

QStringList pic18WdtpsItems() {
    return {"1:128", "1:64", "1:32", "1:16", "1:8", "1:4", "1:2", "1:1"};
}

void Pic18CfgI(Session& s) {
    s.cfg.pic18Cfg = ConfigState::kPic18Defaults;
    Pic18CfgS(s);
}

void Pic18CfgS(Session& s) {
    ConfigState& c = s.cfg;
    const auto& b = c.pic18Cfg;
    c.pic18.fosc = 7 - (b[1] & 0x07);
    c.pic18.borv = 3 - ((b[2] >> 2) & 0x03);
    c.pic18.wdtps = 7 - ((b[3] >> 1) & 0x07);
    for (size_t i = 0; i < b.size(); ++i)
        c.pic18.checked[i] = quint8(~b[i] & kPic18BoxBits[i]);
    c.pic18.upperBlocksEnabled = s.rom.romLen != 0x4000;
}

void foldPic18Panel(ConfigState& c) {
    auto& b = c.pic18Cfg;
    for (size_t i = 0; i < b.size(); ++i) {
        const quint8 m = kPic18BoxBits[i];
        b[i] = quint8((b[i] & ~m) | (~c.pic18.checked[i] & m));
    }
    b[1] = quint8(((7 - c.pic18.fosc) & 0x07) | (b[1] & 0xF8));
    b[3] = quint8((((7 - c.pic18.wdtps) & 0x07) * 2) | (b[3] & 0xF1));
    b[2] = quint8((((3 - c.pic18.borv) & 0x03) * 4) | (b[2] & 0xF3));
}

int setPic18Box(Session& s, int box, bool checked) {
    ConfigState& c = s.cfg;
    if (s.op.busy || box < 0 || box >= int(std::size(kBoxes))) return kRefused;
    const Pic18Box& b = kBoxes[box];
    if (b.upperBlock && !c.pic18.upperBlocksEnabled) return kRefused;
    quint8& bits = c.pic18.checked[size_t(b.byte)];
    bits = checked ? quint8(bits | b.bit) : quint8(bits & ~b.bit);
    foldPic18Panel(c);
    return 0;
}

int choosePic18Item(Session& s, Pic18List list, int index) {
    ConfigState& c = s.cfg;
    int* item = nullptr;
    int count = 0;
    switch (list) {
    case Pic18List::Fosc:
        item = &c.pic18.fosc;
        count = int(pic18FoscItems().size());
        break;
    case Pic18List::Borv:
        item = &c.pic18.borv;
        count = int(pic18BorvItems().size());
        break;
    case Pic18List::Wdtps:
        item = &c.pic18.wdtps;
        count = int(pic18WdtpsItems().size());
        break;
    }
    if (s.op.busy || !item || index < 0 || index >= count) return kRefused;
    *item = index;
    foldPic18Panel(c);
    return 0;
}

QString pic18Text(const ConfigState& c) {
    QString t;
    for (quint8 v : c.pic18Cfg)
        t += Hex_str(v, 2);
    return t;
}

int Pic18CfgR(Session& s) {
    s.op.progPos = 0;
    s.op.progMax = 14;
    s.op.opStart = ConfigState::kPic18CfgStart;
    s.op.opEnd = ConfigState::kPic18CfgEnd;
    ShowMessageS(s, QString());
    ShowMessageS(s, msg::WaitShort);
    Read_otv(s, -1, true);
    const int rc = s.op.opState;
    if (rc == 0) {
        ShowMessageS(s, msg::CfgRead);
    } else if (rc != opres::kCancelled) {
        reportLinkError(s, false);
        return rc;
    }
    std::copy_n(s.link.auxBuf.begin(), 14, s.cfg.pic18Cfg.begin());
    Pic18CfgS(s);
    return rc;
}

int Pic18CfgW(Session& s) {
    ShowMessageS(s, QString());
    foldPic18Panel(s.cfg);
    s.op.opStart = ConfigState::kPic18CfgStart;
    s.op.opEnd = ConfigState::kPic18CfgEnd;
    std::copy(s.cfg.pic18Cfg.begin(), s.cfg.pic18Cfg.end(), s.link.auxBuf.begin());
    s.op.progStep = 65536;
    s.op.progMax = 14;
    s.op.progPos = 0;
    s.op.lenBl = 14;
    ShowMessageS(s, msg::WaitShort);
    Read_otw(s, 0, 14);
    // Read back the bits the panel sets; unimplemented bits may read otherwise.
    verifyConfigWrite(s, 14, s.rom.dataWidth, [](int i) -> quint8 {
        static constexpr std::array<quint8, 14> listBits{0, 0x07, 0x0C, 0x0E, 0, 0, 0,
                                                         0, 0,    0,    0,    0, 0, 0};
        return quint8(kPic18BoxBits[size_t(i)] | listBits[size_t(i)]);
    });
    reportConfigWrite(s, 14);
    return s.op.opState;
}

} // namespace zelvor
