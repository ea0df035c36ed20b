#include "program/DialogCommands.h"

#include "buffer/BufferInit.h"
#include "ops/Engine.h"
#include "program/Commands.h"
#include "program/Startup.h"

namespace zelvor {

int acceptChipSelection(Session& s, const ChipSelectModel& m) {
    if (!m.hasChoice()) return kNoRowChosen;
    return selectChip(s, m.chosenBase(), m.chosenChoice());
}

int acceptProgParams(Session& s, const ProgParamsModel& m) {
    if (!commandAllowed(s)) return kCommandRefused;
    m.store(s);
    Inc_data(s);
    // Placing the LDROM resets the window to the code; a selected second area keeps its own.
    if (s.op.area != 0) Code_Data(s, s.op.area);
    s.fe.changed(ChangeChip | ChangeBufferLabels | ChangeSettings);
    return 0;
}

} // namespace zelvor
