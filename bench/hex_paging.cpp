// Paging through the buffer panel: 1,000 steps forward (Page Down sent to the hexadecimal
// view, Ctrl+Page Up from the last page back to page 1), each drawn, over a 64 MiB and over
// a 2 KiB image with a byte edited every 4 KiB. Prints the fastest and the median time per
// step of seven rounds for each image and the ratio of the fastest rounds (the ones other
// work on the machine disturbed least); a page costs the same on any image size when the
// ratio stays near 1.
//
//   hex_paging [STEPS]      (runs offscreen unless QT_QPA_PLATFORM says otherwise)

#include "BufferPanel.h"
#include "HexTextView.h"
#include "TestSession.h"
#include "buffer/BufferInit.h"
#include "buffer/ImageHistory.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <time.h>

using namespace zelvor;

namespace {

// An image of `bytes` bytes of a pattern, a byte edited every 4 KiB.
void buildImage(Session& s, qint64 bytes) {
    s.buf.blocks.clear();
    for (qint64 at = 0; at < bytes; at += RomBuf::kPage) {
        RomBuf::Block b = RomBuf::newBlock();
        for (int i = 0; i < RomBuf::kPage; ++i)
            b.get()[i] = quint8((at + i) * 7 + ((at + i) >> 11));
        s.buf.blocks.push_back(std::move(b));
    }
    s.buf.size = qint32(bytes);
    s.buf.lastLen = RomBuf::kPage;
    Cnt_sizeb(s);
    imageReplaced(s.buf);
    for (qint64 at = 0; at < bytes; at += 4096)
        writeByte(s, at + 17, 0x5A);
}

void press(QWidget* w, int key, Qt::KeyboardModifiers mods) {
    QKeyEvent down(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(w, &up);
}

// The CPU time of this thread, in microseconds: the other work on a shared machine counts
// less than in wall-clock time (one thread does all: keys, drawing and painting).
double threadMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

// Microseconds of CPU per step of `steps` page steps, each painted.
double pageThrough(gui::BufferPanel& panel, int steps) {
    QWidget* view = &panel.hexView();
    const double start = threadMicros();
    for (int i = 0; i < steps; ++i) {
        const int before = panel.page().page();
        press(view, Qt::Key_PageDown, Qt::NoModifier);
        if (panel.page().page() == before) press(view, Qt::Key_PageUp, Qt::ControlModifier);
        QCoreApplication::processEvents(); // the paint of the new page
    }
    return (threadMicros() - start) / steps;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    struct Image {
        const char* name;
        qint64 bytes;
        std::unique_ptr<test::TestSession> t;
        std::unique_ptr<gui::BufferPanel> panel;
        std::vector<double> rounds;
    } images[2];
    images[0].name = "64 MiB";
    images[0].bytes = 64LL * 1024 * 1024;
    images[1].name = "2 KiB";
    images[1].bytes = 2048;
    for (Image& im : images) {
        im.t = std::make_unique<test::TestSession>();
        buildImage(im.t->s, im.bytes);
        im.panel = std::make_unique<gui::BufferPanel>(im.t->s);
        im.panel->refresh(ChangeBufferReplaced | ChangeBufferLabels);
        im.panel->show();
        QCoreApplication::processEvents();
        (void)pageThrough(*im.panel, 100); // warm up
    }
    // Rounds alternate between the images so that both see the same machine load.
    for (int round = 0; round < 7; ++round)
        for (Image& im : images)
            im.rounds.push_back(pageThrough(*im.panel, steps));
    double fastest[2];
    for (int i = 0; i < 2; ++i) {
        std::vector<double> r = images[i].rounds;
        std::sort(r.begin(), r.end());
        fastest[i] = r.front();
        std::printf("%-7s %d steps x 7 rounds: fastest %.1f, median %.1f us CPU/step (rounds:",
                    images[i].name, steps, fastest[i], r[r.size() / 2]);
        for (double v : images[i].rounds)
            std::printf(" %.1f", v);
        std::printf(")\n");
    }
    std::printf("ratio 64 MiB / 2 KiB (fastest rounds): %.3f (target <= 1.10)\n",
                fastest[0] / fastest[1]);
    return 0;
}
