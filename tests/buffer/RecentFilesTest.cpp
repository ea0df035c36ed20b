// The history of file dialogs kept in zelvor.recent: what reads back, what counts as
// damage (and is then left alone), and how the list keeps its order and length.

#include "TestDir.h"

#include "buffer/FilePath.h"
#include "buffer/RecentFiles.h"

#include <gtest/gtest.h>

using namespace zelvor;
using namespace zelvor::test;

TEST(RecentFiles, ContentReadsBackOrIsLeftAloneWhenDamaged) {
    struct Case {
        const char* name;
        QByteArray content;
        int code;
        int line;
        QStringList recent;
        QString folder;
    };
    const QByteArray oddName = QByteArray("/img/\xC0\xFF.bin"); // not UTF-8
    const Case cases[] = {
        {"good, CR LF",
         "folder=/img\r\nfile=/img/a.bin\r\nfile=/img/b.hex\r\n",
         RecentOk,
         0,
         {"/img/a.bin", "/img/b.hex"},
         "/img"},
        {"good, LF, blank lines, duplicate",
         "\nfile=/a.bin\n\nfile=/a.bin\nfile=/b.bin",
         RecentOk,
         0,
         {"/a.bin", "/b.bin"},
         ""},
        {"a name in the system's bytes",
         "file=" + oddName + "\r\n",
         RecentOk,
         0,
         {pathFromNative(oddName)},
         ""},
        {"unknown key", "folder=/img\r\nrecent=/img/a.bin\r\n", RecentDamaged, 2, {}, ""},
        {"empty value", "file=\r\n", RecentDamaged, 1, {}, ""},
        {"binary", QByteArray("file=/a\0b\r\n", 11), RecentDamaged, 1, {}, ""},
        {"too large", QByteArray(kRecentFileBytes + 1, 'x'), RecentDamaged, 0, {}, ""},
    };
    for (const Case& c : cases) {
        TestDir d;
        d.writeBytes("zelvor.recent", c.content);
        FileHistory h;
        int line = -1;
        EXPECT_EQ(readFileHistory(d.file("zelvor.recent"), h, line), c.code) << c.name;
        EXPECT_EQ(line, c.line) << c.name;
        EXPECT_EQ(h.recent, c.recent) << c.name;
        EXPECT_EQ(h.folder, c.folder) << c.name;
        EXPECT_EQ(h.kept, c.code == RecentOk) << c.name;
        // A damaged file is never replaced; a good one is written back as read.
        h.recent.prepend(QStringLiteral("/new.bin"));
        ASSERT_EQ(writeFileHistory(d.file("zelvor.recent"), h), RecentOk) << c.name;
        if (c.code != RecentOk) EXPECT_EQ(d.readBytes("zelvor.recent"), c.content) << c.name;
        FileHistory again;
        if (c.code == RecentOk) {
            EXPECT_EQ(readFileHistory(d.file("zelvor.recent"), again, line), RecentOk);
            EXPECT_EQ(again.recent, h.recent) << c.name;
            EXPECT_EQ(again.folder, h.folder) << c.name;
        }
    }
    TestDir d;
    FileHistory none;
    int line = 0;
    EXPECT_EQ(readFileHistory(d.file("zelvor.recent"), none, line), RecentOk);
    EXPECT_TRUE(none.recent.isEmpty() && none.kept);
}

TEST(RecentFiles, NewestFirstOnceEachAtMostEight) {
    FileHistory h;
    for (int i = 0; i < 10; ++i)
        rememberFile(h, QStringLiteral("/img/%1.bin").arg(i));
    ASSERT_EQ(h.recent.size(), kRecentFiles);
    EXPECT_EQ(h.recent.first(), "/img/9.bin");
    EXPECT_EQ(h.recent.last(), "/img/2.bin");
    rememberFile(h, QStringLiteral("/img/sub/../5.bin")); // the same file, named otherwise
    EXPECT_EQ(h.recent.first(), "/img/5.bin");
    EXPECT_EQ(h.recent.count("/img/5.bin"), 1);
    EXPECT_EQ(h.recent.size(), kRecentFiles);
    EXPECT_EQ(h.folder, "/img");
    rememberFile(h, QStringLiteral("/other/line\nbreak.bin")); // folder only
    EXPECT_EQ(h.folder, "/other");
    EXPECT_EQ(h.recent.first(), "/img/5.bin");
    forgetRecentFile(h, 0);
    forgetRecentFile(h, 99);
    EXPECT_EQ(h.recent.size(), kRecentFiles - 1);
    EXPECT_FALSE(h.recent.contains("/img/5.bin"));
}
