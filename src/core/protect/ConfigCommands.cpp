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

namespace {

int notSupported(Session& s) {
    ShowMessageS(s, QString());
    ShowMessageS(s, msg::CfgNotSupported);
    s.op.opState = kRefused;
    return s.op.opState;
}

// Reading replaces the panel's values and writing folds or refreshes them: the panels are
// told either way, whatever the result.
int panelsChanged(Session& s, int rc) {
    s.fe.changed(ChangeConfigPanels);
    return rc;
}

} // namespace

int SetcfgwF(Session& s) {
    switch (configKind(s.rom)) {
    case ConfigKind::Pic18:
        return panelsChanged(s, Pic18CfgW(s));
    case ConfigKind::PicMid:
        return panelsChanged(s, PicCfgW(s));
    case ConfigKind::Fuses:
        return panelsChanged(s, WrtFuse(s));
    case ConfigKind::None:
        break;
    }
    return notSupported(s);
}

int ReadcfgwF(Session& s) {
    switch (configKind(s.rom)) {
    case ConfigKind::Pic18:
        return panelsChanged(s, Pic18CfgR(s));
    case ConfigKind::PicMid:
        return panelsChanged(s, PicCfgR(s));
    case ConfigKind::Fuses:
        return panelsChanged(s, ReadFuse(s));
    case ConfigKind::None:
        break;
    }
    return notSupported(s);
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
