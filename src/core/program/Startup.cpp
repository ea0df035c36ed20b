#include "program/Startup.h"

#include "app/Messenger.h"
#include "app/Settings.h"
#include "link/Port.h"

namespace zelvor {

namespace {
void resetBuffer(Session& s, const StartupHooks& h) {
    RomBuf& b = s.buf;
    b.addrStart = 0;
    b.addrEnd = s.rom.romLen > 0 ? s.rom.romLen - 1 : 0;
    s.op.opStart = b.addrStart;
    s.op.opEnd = b.addrEnd;
    b.fileOffset = 0;
    b.bufOffset = 0;
    b.size = 0;
    b.checkSum = 0;
    b.lastLoadName.clear();
    b.lastSaveName.clear();
    b.blocks.clear();
    if (h.initMem) {
        h.initMem(s);
    } else {
        b.blocks.push_back(RomBuf::newBlock());
        b.size = 256;
        b.lastLen = 256;
        b.viewEnd = 255;
    }
}
} // namespace

int Startup(Session& s, const StartupHooks& h, const QString& dir, bool openLink) {
    s.settings.english = 1;
    s.run.debugMode = 0;
    s.run.startFailed = false;
    s.run.startFailure.clear();

    // The transfer buffers and a buffer exist whatever happens below, so nothing that
    // runs later finds them missing.
    allocLinkBuffers(s);

    QString why;
    int rc = h.loadBaseTable ? h.loadBaseTable(s, dir, why) : 1;
    if (rc == 0 && s.base.baseCount() == 0) {
        rc = 1;
        why = s.text(msg::EmptyBaseTable);
    }
    if (rc == 0 && h.loadCatalogue && h.loadCatalogue(s) <= 0) {
        rc = 1;
        why = s.text(msg::EmptyCatalogue);
    }
    if (rc != 0) {
        // Without the tables no chip can be chosen: the chip commands are refused with this
        // message. The settings file is neither read nor written, so a good one survives.
        s.run.startFailed = true;
        s.run.startFailure = why.isEmpty() ? s.text(msg::NoBaseTable) : why;
        resetBuffer(s, h);
    } else {
        loadSettings(s, dir);
        if (h.setChoiceTexts) h.setChoiceTexts(s);
        s.op.area = 0;
        if (h.deriveChip) h.deriveChip(s);
        s.rom.fuseBytes[0] = s.rom.fuseBytes[1] = s.rom.fuseBytes[2] = s.rom.fuseBytes[3] = 0xFF;
        resetBuffer(s, h);
        if (h.incData) h.incData(s);
        s.run.slowed = 0;
        s.fe.changed(ChangeChip | ChangeBufferReplaced | ChangeBufferLabels | ChangeConfigPanels |
                     ChangeSettings);
        logLine(s, s.text(msg::Device) + (h.chipLabel ? h.chipLabel(s) : s.rom.romName));
    }
    if (h.loadAdapters) h.loadAdapters(s, dir);
    if (h.loadPortMap) h.loadPortMap(s, dir);

    s.fe.statusPanel(0, modelPanelText(s.settings.model, s.settings.english == 1));
    s.link.demoMode = 0;
    s.run.savedBaud = s.settings.baudIdx;
    s.settings.baudIdx = 0;
    if (openLink && h.reopenPort) {
        h.reopenPort(s);
        if (s.link.portFailed == 1) {
            s.fe.statusPanel(1, QString());
            s.fe.statusPanel(2, QString());
        } else {
            ShowMessageC(s);
            ShowMessageT(s);
        }
        if (h.changeSpeed) h.changeSpeed(s, s.run.savedBaud);
    }
    if (s.run.startFailed) s.fe.statusMessage(s.run.startFailure);
    return s.run.startFailed ? 1 : 0;
}

void Shutdown(Session& s, const StartupHooks& h) {
    if (!s.run.startFailed && s.run.writesSettings) saveSettings(s);
    if (s.run.logOn == 1 && h.closeJournal) h.closeJournal(s);
    if (s.settings.baudIdx >= 1 && s.link.demoMode == 0 && h.sendMode) {
        s.op.opCode = 4;
        s.settings.baudIdx = 0;
        (void)h.sendMode(s);
    }
    if (h.closePort) h.closePort(s);
    s.link.xferBuf.clear();
    s.link.auxBuf.clear();
    s.link.auxBuf2.clear();
}

bool commandAllowed(Session& s, bool needsChip) {
    if (s.op.busy) {
        s.fe.statusMessage(s.text(msg::Busy));
        return false;
    }
    if (needsChip && s.run.startFailed) {
        s.fe.messageBox(s.run.startFailure, FrontEnd::Icon::Error);
        return false;
    }
    return true;
}

} // namespace zelvor
