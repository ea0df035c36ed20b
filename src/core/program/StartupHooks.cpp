#include "program/Startup.h"

#include "program/Commands.h"

#include "buffer/BufferInit.h"
#include "catalogue/Adapters.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/CatalogueParser.h"
#include "catalogue/ChipDisplay.h"
#include "catalogue/ChipParams.h"
#include "journal/Journal.h"
#include "link/LinkControl.h"
#include "link/Port.h"
#include "link/PortMap.h"
#include "link/SetupPacket.h"

namespace zelvor {

StartupHooks defaultStartupHooks() {
    StartupHooks h;
    h.loadBaseTable = [](Session& s, const QString& dir, QString& why) {
        return loadBaseTable(s, dir, why);
    };
    h.loadCatalogue = [](Session& s) { return loadCatalogue(s); };
    h.setChoiceTexts = [](Session& s) { setChoiceTexts(s); };
    h.deriveChip = [](Session& s) { restoreChip(s); };
    // The restored chip gets the same set-up as a chip chosen in the dialog.
    h.incData = [](Session& s) { setUpChip(s); };
    h.initMem = [](Session& s) { InitMem(s); };
    h.loadAdapters = [](Session& s, const QString& dir) { loadAdapters(s, dir); };
    h.chipLabel = [](const Session& s) { return chipLabel(s); };
    h.loadPortMap = [](Session& s, const QString& dir) { (void)loadPortMap(s, dir); };
    h.reopenPort = [](Session& s) { Reopen_com(s); };
    h.changeSpeed = [](Session& s, int code) { (void)ChcSpd(s, code); };
    h.sendMode = [](Session& s) { return Send_mode(s); };
    h.closePort = [](Session& s) { (void)Close_com(s); };
    h.closeJournal = [](Session& s) { closeJournal(s); };
    return h;
}

} // namespace zelvor
