// File names kept as the system gives them, formats told by name and content, and saves
// onto what is not a regular file.

#include "BufferTestUtil.h"
#include "TestDir.h"

#include "buffer/BufferFiles.h"
#include "buffer/FileFormat.h"
#include "buffer/FilePath.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace zelvor;
using namespace zelvor::test;

TEST(FileNames, BytesOfNamesSurviveTheRoundTrip) {
    const QByteArray names[] = {"plain.bin",
                                "\xd0\xb8\xd0\xbc\xd1\x8f.hex",
                                "bad\xffname.hex",
                                "\xc0\xaf overlong",
                                "cut\xe2\x82",
                                "\xed\xa0\x80 surrogate",
                                "\xf0\x9f\x98\x80 astral"};
    for (const QByteArray& n : names)
        EXPECT_EQ(nativePath(pathFromNative(n)), n) << n.toHex().constData();

    TestDir d;
    const QByteArray raw = QFile::encodeName(d.path()) + "/bad\xffname.bin";
    FILE* f = std::fopen(raw.constData(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("abc", f);
    std::fclose(f);
    LoadedImage img;
    ASSERT_EQ(readBinImage(pathFromNative(raw), 0, img), FileOk);
    EXPECT_EQ(img.size, 3);
}

TEST(FileNames, FormatByNameThenByFirstLine) {
    TestDir d;
    struct Case {
        const char* name;
        QByteArray content;
        int byName, byContent;
    };
    const Case cases[] = {
        {"a.BIN", ":00000001FF\r\n", FormatBin, FormatHex},
        {"a.hex", "x", FormatHex, FormatUnknown},
        {"a.ihx", "", FormatHex, FormatUnknown},
        {"a.IHEX", "", FormatHex, FormatUnknown},
        {"main.a51", ":10000000000102030405060708090A0B0C0D0E0F78\n", FormatUnknown, FormatHex},
        {"notes.txt", ":colon but no record\n", FormatUnknown, FormatUnknown},
        {"short.dat", ":0000\n", FormatUnknown, FormatUnknown},
        {"raw.dat", QByteArray("\x3a\x00\x01", 3), FormatUnknown, FormatUnknown},
        {"dir.x/noext", "", FormatUnknown, FormatUnknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatByName(c.name), c.byName) << c.name;
        if (QString(c.name).contains('/')) continue;
        d.writeBytes(c.name, c.content);
        EXPECT_EQ(formatByContent(d.file(c.name)), c.byContent) << c.name;
    }
    EXPECT_EQ(formatByContent(d.file("missing.hex")), FormatUnknown);
}

TEST(FileNames, SavingOntoNodesWritesIntoThemAndFollowsLinks) {
    TestSession t;
    setImage(t.s, pattern(300));
    TestDir d;
    // A link to a regular file: the file gets the data, the link stays a link.
    d.writeBytes("real.bin", "old");
    ASSERT_EQ(::symlink("real.bin", QFile::encodeName(d.file("link.bin")).constData()), 0);
    EXPECT_EQ(SaveBin(t.s, d.file("link.bin")), FileOk);
    EXPECT_TRUE(QFileInfo(d.file("link.bin")).isSymLink());
    EXPECT_EQ(d.readBytes("real.bin"), pattern(300));

    // A FIFO nobody reads is refused at once and stays a FIFO.
    const QByteArray fifo = QFile::encodeName(d.file("pipe"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_EQ(SaveHex(t.s, d.file("pipe")), FileCreateFailed);
    struct stat st;
    ASSERT_EQ(::stat(fifo.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    if (::geteuid() != 0) GTEST_SKIP() << "device nodes need root (mknod)";
    struct Node {
        const char* name;
        unsigned minor; // of major 1: 3 is a null device, 7 a full one
        int code;
    };
    for (const Node& n : {Node{"null", 3, FileOk}, Node{"full", 7, FileWriteFailed}}) {
        const QByteArray path = QFile::encodeName(d.file(n.name));
        ASSERT_EQ(::mknod(path.constData(), S_IFCHR | 0666, makedev(1, n.minor)), 0) << n.name;
        EXPECT_EQ(SaveBin(t.s, d.file(n.name)), n.code) << n.name;
        EXPECT_EQ(SaveHex(t.s, d.file(n.name)), n.code) << n.name;
        ASSERT_EQ(::stat(path.constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode)) << n.name;
    }
    // No temporary file is left behind.
    for (const QString& n : QDir(d.path()).entryList(QDir::Hidden | QDir::Files | QDir::System))
        EXPECT_FALSE(n.startsWith('.')) << n.toStdString();
}
