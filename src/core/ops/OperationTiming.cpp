#include "ops/OperationTiming.h"

#include "app/Messages.h"

#include <algorithm>

namespace zelvor {

QString timingText(bool english, qint64 elapsedMs, qint64 bytes) {
    const qint64 ms = std::max<qint64>(elapsedMs, 0);
    const qint64 secs = ms / 1000;
    QString text = QStringLiteral("%1:%2")
                       .arg(secs / 60, 2, 10, QLatin1Char('0'))
                       .arg(secs % 60, 2, 10, QLatin1Char('0'));
    if (bytes > 0 && ms > 0) {
        const Text& rate = msg::OperationRate;
        text += QStringLiteral(", ") +
                QString::fromUtf8(english ? rate.en : rate.ru).arg(bytes * 1000 / ms);
    }
    return text;
}

void timingBegin(Session& s) {
    s.op.opStartTime = s.clock.nowMs();
    s.op.timingNote.clear();
}

void timingEnd(Session& s, qint64 bytes) {
    s.op.timingNote =
        timingText(s.settings.english == 1, s.clock.nowMs() - s.op.opStartTime, bytes);
}

void timingDiscard(Session& s) {
    s.op.timingNote.clear();
}

} // namespace zelvor
