#include "program/Comparisons.h"

#include "app/Messenger.h"
#include "buffer/BufferFiles.h"
#include "ops/ChipRead.h"
#include "ops/Engine.h"
#include "program/Commands.h"
#include "program/Startup.h"

#include <algorithm>

namespace zelvor {

int readChipDifferences(Session& s, ChipDifferences& out) {
    if (s.rom.canRead != 1 || s.buf.size == 0 || !commandAllowed(s)) return kCommandRefused;
    BusyScope busy(s);
    const qint32 lastAddress = CalcStep_w(s);
    const int rc = readChipImage(s, lastAddress, out.chip);
    if (rc != opres::kOk) {
        if (rc != opres::kCancelled) reportLinkError(s, true);
        return rc;
    }
    out.bytes = std::min<qint64>(s.buf.size, out.chip.size);
    out.highMask = comparedHighMask(s);
    out.diff = diffImages(s.buf, out.bytes, out.chip, out.bytes, out.highMask);
    return opres::kOk;
}

int loadComparisonFile(Session& s, const QString& path, RomBuf& out) {
    if (!commandAllowed(s, false)) return kCommandRefused;
    ShowMessageS(s, QString());
    long long line = 0;
    const int rc = loadOtherImage(s, path, out, &line);
    if (rc != FileOk) reportLoadError(s, rc, path, line);
    return rc;
}

} // namespace zelvor
