#include "protect/ConfigCommands.h"

#include "app/Messenger.h"
#include "catalogue/AlgFamilies.h"
#include "protect/Fuses.h"
#include "protect/Pic18Config.h"
#include "protect/PicConfig.h"
#include "protect/ProtectCommon.h"

namespace zelvor {

ConfigKind configKind(const RomParams& r) {
    if (pic18(r)) return ConfigKind::Pic18;
    if (picMidRange(r)) return ConfigKind::PicMid;
    if (fuseChip(r)) return ConfigKind::Fuses;
    return ConfigKind::None;
}

int SetcfgwF(Session& s) {
    switch (configKind(s.rom)) {
    case ConfigKind::Pic18:
        return Pic18CfgW(s);
    case ConfigKind::PicMid:
        return PicCfgW(s);
    case ConfigKind::Fuses:
        return WrtFuse(s);
    case ConfigKind::None:
        break;
    }
    ShowMessageS(s, QString());
    ShowMessageS(s, msg::CfgNotSupported);
    s.op.opState = kRefused;
    return s.op.opState;
}

int ReadcfgwF(Session& s) {
    switch (configKind(s.rom)) {
    case ConfigKind::Pic18:
        return Pic18CfgR(s);
    case ConfigKind::PicMid:
        return PicCfgR(s);
    case ConfigKind::Fuses:
        return ReadFuse(s);
    case ConfigKind::None:
        break;
    }
    ShowMessageS(s, QString());
    ShowMessageS(s, msg::CfgNotSupported);
    s.op.opState = kRefused;
    return s.op.opState;
}

void setupConfigPanels(Session& s) {
    if (s.rom.devClass == 5) {
        if (pic18(s.rom)) {
            Pic18CfgI(s);
        } else {
            PicCfg16(s);
        }
    }
    if (fuseChip(s.rom)) FuseShow(s);
}

void redrawConfigPanels(Session& s) {
    if (s.rom.devClass == 5) {
        if (pic18(s.rom))
            Pic18CfgS(s);
        else if (s.cfg.picLayoutFound)
            PicBitShow16(s);
    }
    if (fuseChip(s.rom)) FuseSetN(s);
}

} // namespace zelvor
