// The window's file commands: recent files (loaded, gone and dropped), the remembered
// folder kept across runs, the format a dropped file's name tells, and the window's caption
// following where the image came from.

#include "program/FileCommands.h"
#include "TestDir.h"
#include "TestSession.h"
#include "buffer/FileCodes.h"
#include "buffer/RecentFiles.h"
#include "program/Commands.h"
#include "program/Program.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

namespace {

struct FilesRun {
    TestDir dir;
    TestSession t;
    Session& s = t.s;
    FilesRun() {
        for (const char* f : {"prgplus.lst", "prgadapt.lst", "prgpic16.lst", "prgatmel.lst"})
            dir.copyData(QLatin1String(f));
        StartOptions o;
        o.startDir = dir.path();
        o.demo = true;
        o.openLink = false;
        o.english = 1;
        o.writesSettings = false;
        EXPECT_EQ(startProgram(s, o), 0);
        startFileHistory(s);
    }
    ~FilesRun() { stopProgram(s); }
};

} // namespace

TEST(FileCommands, RecentFilesLoadSurviveTheRunAndGoneOnesAreDropped) {
    FilesRun r;
    r.dir.writeBytes("a.bin", QByteArray(100, '\x11'));
    r.dir.writeLines("b.hex", {":040000002222222274", ":00000001FF"});
    r.s.settings.fileFmt = 1;
    ASSERT_EQ(openNamedFile(r.s, r.dir.file("b.hex")), 0); // its name says HEX
    EXPECT_EQ(r.s.settings.fileFmt, 2);
    EXPECT_EQ(r.s.buf.checkSum, 4 * 0x22);
    ASSERT_EQ(openChosenFile(r.s, r.dir.file("a.bin")), FileBadFormat); // chosen format: HEX
    EXPECT_EQ(r.s.buf.checkSum, 4 * 0x22);
    EXPECT_EQ(windowCaption(r.s), "b.hex - Zelvor");
    ASSERT_EQ(openNamedFile(r.s, r.dir.file("a.bin")), 0);
    EXPECT_EQ(windowCaption(r.s), "a.bin - Zelvor");
    EXPECT_EQ(r.s.run.files.recent, QStringList({r.dir.file("a.bin"), r.dir.file("b.hex")}));

    // The next run finds both and the folder; a file gone since is reported and dropped.
    ASSERT_TRUE(QFile::remove(r.dir.file("a.bin")));
    FilesRun next;
    int line = 0;
    ASSERT_EQ(readFileHistory(r.dir.file("zelvor.recent"), next.s.run.files, line), RecentOk);
    next.s.run.startDir = r.dir.path();
    EXPECT_EQ(fileDialogFolder(next.s), r.dir.path());
    EXPECT_EQ(openRecentFile(next.s, 0), FileNotFound);
    EXPECT_EQ(next.t.fe.lastStatus(),
              "   File " + r.dir.file("a.bin") + "  not found; removed from the recent files");
    EXPECT_EQ(next.s.run.files.recent, QStringList({r.dir.file("b.hex")}));
    EXPECT_EQ(openRecentFile(next.s, 5), 0); // no such entry
    ASSERT_EQ(openRecentFile(next.s, 0), 0);
    EXPECT_EQ(next.s.buf.checkSum, 4 * 0x22);
    ASSERT_EQ(readFileHistory(r.dir.file("zelvor.recent"), r.s.run.files, line), RecentOk);
    EXPECT_EQ(r.s.run.files.recent, QStringList({r.dir.file("b.hex")}));

    // A chip read (any new image not from a file) takes the name off the caption.
    EXPECT_EQ(windowCaption(next.s), "b.hex - Zelvor");
    followImageChange(next.s, ChangeBufferEdited);
    EXPECT_EQ(windowCaption(next.s), "b.hex - Zelvor");
    followImageChange(next.s, ChangeBufferReplaced);
    EXPECT_EQ(windowCaption(next.s), "Zelvor");
}

TEST(FileCommands, DamagedHistoryIsReportedAndLeftAsItWas) {
    TestDir dir;
    const QByteArray damaged = "file=/a.bin\r\nwhatever\r\n";
    dir.writeBytes("zelvor.recent", damaged);
    TestSession t;
    t.s.run.startDir = dir.path();
    startFileHistory(t.s);
    EXPECT_EQ(t.fe.lastStatus(), "File " + dir.file("zelvor.recent") +
                                     " not understood (line 2): the recent files are not kept "
                                     "this time");
    dir.writeBytes("c.bin", QByteArray(10, '\x01'));
    t.s.settings.fileFmt = 1;
    ASSERT_EQ(openChosenFile(t.s, dir.file("c.bin")), 0);
    EXPECT_EQ(t.s.run.files.recent, QStringList({dir.file("c.bin")})); // this run only
    EXPECT_EQ(dir.readBytes("zelvor.recent"), damaged);
}
