#include "ops/ChipChange.h"

#include "app/Messenger.h"
#include "app/Settings.h"
#include "catalogue/ChipDisplay.h"
#include "link/Port.h"
#include "link/SetupPacket.h"
#include "ops/Engine.h"

namespace zelvor {

int ChcRom(Session& s, int index) {
    return ChcRom(s, index, ChipChoice{});
}

int ChcRom(Session& s, int index, const ChipChoice& choice) {
    if (!s.base.valid(index)) return kChipUnknown;

    const int oldIdx = s.settings.romIdx;
    const quint8 oldAlg = s.rom.algCode;
    const qint32 oldArea = s.op.area;
    const quint16 oldSum = s.buf.checkSum;

    s.op.area = 0;
    s.settings.romIdx = index;
    s.rom.algCode = s.base.at(index).col[2];
    s.op.opCode = 0;
    s.buf.checkSum = 0;

    // The announcement carries the new algorithm with the rest of the previous chip.
    const int rc = Send_mode(s);
    if (rc != 0) {
        ShowMessageSc(s, QString::fromUtf8(msg::LinkError.ru));
        Reopen_com(s);
        s.settings.romIdx = oldIdx;
        s.rom.algCode = oldAlg;
        s.op.area = oldArea;
        s.buf.checkSum = oldSum;
        return rc;
    }

    s.settings.byMaker = choice.byMaker == 1 && s.cat.valid(choice.catIdx) ? 1 : 0;
    if (s.settings.byMaker == 1) s.settings.catIdx = choice.catIdx;
    deriveChip(s);
    Set_chdata(s);
    s.rom.fuseBytes[0] = s.rom.fuseBytes[1] = s.rom.fuseBytes[2] = s.rom.fuseBytes[3] = 0xFF;
    s.buf.addrStart = 0;
    s.buf.addrEnd = s.rom.romLen - 1;
    s.fe.changed(ChangeChip | ChangeBufferLabels | ChangeConfigPanels);
    logLine(s, s.text(msg::Device) + chipLabel(s));
    return 0;
}

int Set_lenbl(Session& s) {
    s.op.lenBl = pieceLength(s.rom, s.op.area);
    if (s.rom.slowOnly != 1 || s.settings.baudIdx < 2) return 0;
    // This chip programs only at 9600: lower the programmer and the port for the run.
    s.op.opCode = 4;
    s.run.savedBaud = s.settings.baudIdx;
    s.settings.baudIdx = 0;
    const int rc = Send_mode(s);
    Wait_ms(s, 100);
    Reopen_com(s);
    s.run.slowed = 1;
    return rc;
}

void areaListChange(Session& s, int index) {
    if (index > 0) {
        s.settings.autoData = 0;
        s.settings.autoCfgw = 0;
    }
    Code_Data(s, index);
}

} // namespace zelvor
