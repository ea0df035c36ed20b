#include "protect/Pic18Config.h"

#include "app/HexText.h"
#include "app/Messenger.h"
#include "ops/Engine.h"
#include "protect/ProtectCommon.h"

namespace zelvor {

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
