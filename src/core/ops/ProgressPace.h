#pragma once
// How often a progress display repaints. Blocks may arrive hundreds of times a second (a
// fast line, the demo mode); repainting the bar for each would slow the link down. The bar
// is repainted at most every kBarRepaintMs of the session's clock, always at its start and
// at its end; the display's timer looks kTickMs apart and shows the elapsed time whenever
// its text changes, so the seconds advance one by one.

#include <QtGlobal>

namespace zelvor {

class ProgressPace {
  public:
    static constexpr int kBarRepaintMs = 40; // at most 25 repaints a second
    static constexpr int kTickMs = 250;      // the display's timer

    // A new walk starts at `nowMs`.
    void begin(qint64 nowMs);
    // The bar reached `position` (0..65535) at `nowMs`: true when it is to be repainted now.
    [[nodiscard]] bool barDue(qint64 nowMs, int position);

  private:
    qint64 lastRepaint_ = 0;
};

} // namespace zelvor
