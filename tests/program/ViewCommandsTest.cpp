// The buffer view's commands: what each reports, what it leaves in the view and the search,
// and the refusal while an operation runs. The find, go-to and history rules themselves are
// tested in the buffer subsystem.

#include "program/ViewCommands.h"
#include "TestSession.h"
#include "app/HexText.h"
#include "buffer/ImageBytes.h"
#include "buffer/ImageCrc.h"
#include "buffer/ImageFind.h"
#include "buffer/ImageHistory.h"
#include "program/Commands.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {

// An image of `n` bytes 0x00 with "AB" at 0x120 and 0x3F0, English texts.
void loadImage(TestSession& t, int n = 0x400) {
    t.s.settings.english = 1;
    t.s.buf.blocks.clear();
    for (int p = 0; p * RomBuf::kPage < n; ++p)
        t.s.buf.blocks.push_back(RomBuf::newBlock());
    t.s.buf.size = n;
    t.s.buf.viewEnd = n - 1;
    QByteArray img(n, '\0');
    img.replace(0x120, 2, "AB");
    img.replace(0x3F0, 2, "AB");
    writeImage(t.s.buf, 0, reinterpret_cast<const quint8*>(img.constData()), n);
    imageReplaced(t.s.buf);
}

} // namespace

TEST(ViewCommands, UndoAndRedoReportEachOutcome) {
    TestSession t;
    loadImage(t);
    qint64 where = -1;
    EXPECT_EQ(undoChange(t.s, where), HistoryEmpty);
    EXPECT_EQ(t.fe.lastStatus(), QStringLiteral("Nothing to undo"));
    writeByte(t.s, 0x305, 0x77);
    EXPECT_EQ(undoChange(t.s, where), HistoryOk);
    EXPECT_EQ(t.fe.lastStatus(), QStringLiteral("The change is undone"));
    EXPECT_EQ(imageByte(t.s.buf, 0x305), 0x00);
    EXPECT_EQ(where, 0x305);
    where = -1;
    EXPECT_EQ(redoChange(t.s, where), HistoryOk);
    EXPECT_EQ(t.fe.lastStatus(), QStringLiteral("The change is redone"));
    EXPECT_EQ(imageByte(t.s.buf, 0x305), 0x77);
    EXPECT_EQ(where, 0x305);
    EXPECT_EQ(redoChange(t.s, where), HistoryEmpty);
    EXPECT_EQ(t.fe.lastStatus(), QStringLiteral("Nothing to redo"));
    // A step that no longer fits the image (the buffer shrank under it) drops the history.
    writeByte(t.s, 0x3FF, 0x11);
    t.s.buf.blocks.clear();
    t.s.buf.size = 0;
    EXPECT_EQ(undoChange(t.s, where), HistoryStale);
    EXPECT_EQ(t.fe.lastStatus(),
              QStringLiteral("The buffer has changed: the history of changes is dropped"));
}

TEST(ViewCommands, FindGoToAndFindNextLandOnTheByteAndSayWhere) {
    TestSession t;
    loadImage(t);
    HexPage view;
    BufferSearch search;
    HexCaret caret;
    // Find-next before any find asks for the pattern, silently.
    EXPECT_EQ(findNextInBuffer(t.s, view, search, caret), FindBadPattern);
    EXPECT_TRUE(t.fe.boxes.isEmpty());

    struct Step {
        const char* what; // "find-hex", "find-text", "next", "goto"
        const char* text;
        qint64 from;
        int code;
        int page;
        HexCaret caret;
        const char* status; // nullptr: a message box instead
    } steps[] = {
        {"find-hex", "41 42", 0, FindOk, 2, {2, 0}, "Found at 0000120"},
        {"next", "", 0, FindOk, 4, {15, 0}, "Found at 00003F0"},
        {"next", "", 0, FindOk, 2, {2, 0}, "Found at 0000120"}, // wraps
        {"find-text", "AB", 0x121, FindOk, 4, {15, 0}, "Found at 00003F0"},
        {"find-text", "ABC", 0, FindNotFound, 4, {15, 0}, "Not found: ABC"},
        {"find-hex", "4", 0, FindBadPattern, 4, {15, 0}, nullptr},
        {"goto", "1ff", 0, FindOk, 2, {15, 45}, ""},
        {"goto", "400", 0, FindBadAddress, 2, {15, 45}, nullptr},
        {"goto", "x1", 0, FindBadAddress, 2, {15, 45}, nullptr},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(std::string(st.what) + " " + st.text);
        t.fe.boxes.clear();
        const QString text = QString::fromLatin1(st.text);
        const QString w = QString::fromLatin1(st.what);
        int rc = -1;
        if (w == QLatin1String("next"))
            rc = findNextInBuffer(t.s, view, search, caret);
        else if (w == QLatin1String("goto"))
            rc = goToBufferAddress(t.s, view, text, caret);
        else
            rc = findInBuffer(t.s, view, search, text, w == QLatin1String("find-hex"), st.from,
                              caret);
        EXPECT_EQ(rc, st.code);
        EXPECT_EQ(view.page(), st.page);
        if (rc == FindOk) EXPECT_EQ(caret, st.caret);
        if (st.status) {
            EXPECT_EQ(t.fe.statuses.last(), QString::fromLatin1(st.status));
            EXPECT_TRUE(t.fe.boxes.isEmpty());
        } else {
            ASSERT_EQ(t.fe.boxes.size(), 1);
        }
    }
    // The bad texts' boxes say what is accepted; a bad pattern keeps the last search.
    EXPECT_EQ(t.fe.boxes[0],
              QStringLiteral("Address \"x1\" is not accepted: enter a hexadecimal address from 0 "
                             "to 00003FF"));
    EXPECT_EQ(search.text, QStringLiteral("ABC"));
    EXPECT_EQ(goToPrompt(t.s), QStringLiteral(" Address in the buffer : ( 0000000 - 00003FF )"));
}

TEST(ViewCommands, WindowCrcAndTheBusyRefusal) {
    TestSession t;
    loadImage(t);
    t.s.rom.dataWidth = 8;
    t.s.buf.addrStart = 0x100;
    t.s.buf.addrEnd = 0x1FF;
    EXPECT_EQ(reportWindowCrc(t.s), 0);
    EXPECT_EQ(t.fe.lastStatus(), QStringLiteral("CRC-32 of the address window (buffer 0000000 - "
                                                "00000FF) : %1")
                                     .arg(Hex_str(rangeCrc(t.s, 0, 0xFF), 8)));

    // While an operation runs every one of them is refused and changes nothing.
    writeByte(t.s, 7, 0x55);
    t.s.op.busy = true;
    HexPage view;
    BufferSearch search;
    HexCaret caret;
    qint64 where = -1;
    EXPECT_EQ(undoChange(t.s, where), kCommandRefused);
    EXPECT_EQ(redoChange(t.s, where), kCommandRefused);
    EXPECT_EQ(reportWindowCrc(t.s), kCommandRefused);
    EXPECT_EQ(goToBufferAddress(t.s, view, QStringLiteral("3F0"), caret), kCommandRefused);
    EXPECT_EQ(findInBuffer(t.s, view, search, QStringLiteral("AB"), false, 0, caret),
              kCommandRefused);
    // Nor do typed bytes reach the buffer.
    const HexKeyResult r = pressHexKey(t.s, view, HexPane::Hex, HexCaret{0, 0}, HexKey::Char, u'9');
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(imageByte(t.s.buf, 7), 0x55);
    EXPECT_EQ(imageByte(t.s.buf, 0), 0x00);
    EXPECT_EQ(view.page(), 1);
    EXPECT_TRUE(search.text.isEmpty());
    EXPECT_EQ(t.fe.lastStatus(), QString::fromUtf8(msg::Busy.en));
}
