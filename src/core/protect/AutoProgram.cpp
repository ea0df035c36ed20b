#include "protect/AutoProgram.h"

#include "ops/Engine.h"
#include "protect/LockBits.h"

namespace zelvor {

ChipCommands defaultChipCommands() {
    ChipCommands c;
    c.read = [](Session& s) { return ReadRomClick(s); };
    c.erase = [](Session& s) { return ClearRomClick(s); };
    c.blank = [](Session& s) { return ReadNullClick(s); };
    c.program = [](Session& s) { return WriteRomClick(s); };
    c.compare = [](Session& s) { return CompRomClick(s); };
    c.lock = [](Session& s) { return SetBitClick(s); };
    return c;
}

int autoprgClick(Session& s, const ChipCommands& cmds) {
    const PrgSettings& p = s.settings;
    s.op.opState = 0;
    // A step counts as failed when it says so or leaves a non-zero opState.
    auto run = [&s](const std::function<int(Session&)>& step) {
        const int rc = step(s);
        if (rc != 0) s.op.opState = rc;
        return s.op.opState;
    };
    if (p.autoErase == 1 && run(cmds.erase) != 0) return s.op.opState;
    if (p.autoBlank == 1 && run(cmds.blank) != 0) return s.op.opState;
    if (p.autoWrite == 1 && run(cmds.program) != 0) return s.op.opState;
    if (p.autoCompare == 1) run(cmds.compare);
    if (s.op.opState == 0 && p.autoLock == 1) run(cmds.lock);
    return s.op.opState;
}

int CprogClick(Session& s, const ChipCommands& cmds) {
    int first = 0;
    for (int i = 0; i < kRepeatCount; ++i) {
        const int rc = cmds.program(s);
        if (rc != 0 && first == 0) first = rc;
    }
    s.op.opState = first;
    return first;
}

} // namespace zelvor
