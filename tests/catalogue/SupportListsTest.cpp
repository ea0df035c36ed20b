// The support lists: layout of each file, the model marks, entries without a base type, and
// the command-line verbs that write and show the catalogue.

#include "TestDir.h"
#include "TestSession.h"

#include "app/TextFile.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/CatalogueParser.h"
#include "catalogue/SupportLists.h"

#include <QProcess>

#include <gtest/gtest.h>

using namespace zelvor;

namespace {

BaseRow row(int cls, const QString& name, int adapter, int subType) {
    BaseRow r;
    r.baseClass = quint8(cls);
    r.col[1] = quint8(cls);
    r.col[17] = quint8(adapter);
    r.col[26] = quint8(subType);
    r.baseName = name.leftJustified(15, QLatin1Char(' '));
    return r;
}

CatEntry entry(const QString& name, int maker, int base) {
    CatEntry e;
    e.name = name.leftJustified(12, QLatin1Char(' '));
    e.baseName = QStringLiteral("x");
    e.maker = maker;
    e.base = base;
    return e;
}

// Base types: 1 EPROM (adapter 1, three items), 2 MCS-51, 3 EPROM with adapter 7,
// 4 sub-type 2, 5 sub-type 4, 6 sub-type 3.
void fill(Session& s) {
    s.base.rows = {
        row(0, QStringLiteral("27C512"), 1, 0),  row(1, QStringLiteral("87C51"), 0, 0),
        row(0, QStringLiteral("27C4096"), 7, 0), row(2, QStringLiteral("29F040"), 0, 2),
        row(2, QStringLiteral("K9F1G08"), 0, 4), row(1, QStringLiteral("AT89C51"), 0, 3)};
    s.base.memTypeCount = 6;
    s.adapterLines = {QStringLiteral("DIP : none "),
                      QStringLiteral("DIP28;PLCC: DIP28-PLCC32;SOIC28 "),
                      QString(),
                      QString(),
                      QString(),
                      QString(),
                      QString(),
                      QStringLiteral("DIP40 ")};
    s.cat.makerNames = {QStringLiteral("Seven").leftJustified(20),
                        QStringLiteral("Other").leftJustified(20)};
    for (int i = 1; i <= 7; ++i)
        s.cat.entries.push_back(entry(QStringLiteral("P%1").arg(i), 1, 1));
    s.cat.entries.push_back(entry(QStringLiteral("MCU"), 2, 2));
    s.cat.entries.push_back(entry(QStringLiteral("WIDE"), 2, 3));
    s.cat.entries.push_back(entry(QStringLiteral("SUB2"), 2, 4));
    s.cat.entries.push_back(entry(QStringLiteral("SUB4"), 2, 5));
    s.cat.entries.push_back(entry(QStringLiteral("SUB3"), 2, 6));
    s.cat.entries.push_back(entry(QStringLiteral("LOST"), 2, -1));
}

QStringList readLines(const test::TestDir& d, const QString& name) {
    const QByteArray bytes = d.readBytes(name);
    EXPECT_TRUE(bytes.endsWith("\r\n")) << qPrintable(name);
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "CR LF line ends";
    QStringList lines = fromCp1251(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

} // namespace

TEST(SupportLists, ModelMarksFollowSubTypeClassAndAdapter) {
    test::TestSession t;
    fill(t.s);
    const auto marks = [&](int base) {
        const ModelMarks m = modelMarks(t.s, base);
        return QString(m.a) + m.c + m.b;
    };
    EXPECT_EQ(marks(1), QStringLiteral("+++"));
    EXPECT_EQ(marks(2), QStringLiteral("++ ")) << "Zelvor-B refuses MCS-51";
    EXPECT_EQ(marks(3), QStringLiteral("++ ")) << "Zelvor-B refuses adapter 7";
    EXPECT_EQ(marks(4), QStringLiteral("+ +")) << "Zelvor-C refuses sub-type 2";
    EXPECT_EQ(marks(5), QStringLiteral("+  ")) << "sub-type 4: Zelvor-A/AX only";
    EXPECT_EQ(marks(6), QStringLiteral("+  ")) << "sub-type 3 MCS-51";
    EXPECT_EQ(marks(-1), QStringLiteral("   ")) << "unknown base type: no marks";
}

TEST(SupportLists, ShortListFiveNamesPerLineAndTotal) {
    test::TestSession t;
    fill(t.s);
    test::TestDir d;
    ASSERT_EQ(PrintListSh(t.s, d.path()), kListsWritten);
    const QStringList lines = readLines(d, QStringLiteral("shlist.lst"));
    const auto names = [](QStringList parts) {
        QString line;
        for (const QString& p : parts)
            line += p.leftJustified(12) + QString(5, u' ');
        return line;
    };
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QString(8, u' ') + QStringLiteral("Seven").leftJustified(20));
    EXPECT_EQ(lines[1], names({"P1", "P2", "P3", "P4", "P5"}));
    EXPECT_EQ(lines[2], names({"P6", "P7"})) << "seven parts take two lines";
    EXPECT_EQ(lines[3], QString(8, u' ') + QStringLiteral("Other").leftJustified(20));
    EXPECT_EQ(lines[4], names({"MCU", "WIDE", "SUB2", "SUB4", "SUB3"}));
    EXPECT_EQ(lines[5], names({"LOST"}));
    EXPECT_EQ(lines[6], QStringLiteral("Total device: 13"));
}

TEST(SupportLists, AdapterListAndModelLists) {
    test::TestSession t;
    fill(t.s);
    test::TestDir d;
    ASSERT_EQ(PrintListAd(t.s, d.path()), kListsWritten);
    const QStringList ad = readLines(d, QStringLiteral("shadapt.lst"));
    EXPECT_EQ(ad[0], QString(9, u' ') + QStringLiteral("Seven").leftJustified(20));
    // A chip with three adapter items takes three lines.
    EXPECT_EQ(ad[1], QStringLiteral("P1          ") + QString(6, u' ') +
                         QStringLiteral("+    +     +    DIP28"));
    EXPECT_EQ(ad[2], QString(18, u' ') + QStringLiteral("+    +     +    PLCC: DIP28-PLCC32"));
    EXPECT_EQ(ad[3], QString(18, u' ') + QStringLiteral("+    +     +    SOIC28"));
    EXPECT_EQ(ad.mid(ad.size() - 2), QStringList({QString(), QStringLiteral("Total device: 13")}));
    // The entry without a base type: listed with blank marks and no adapter.
    EXPECT_TRUE(
        ad.contains(QStringLiteral("LOST        ") + QString(6 + 1 + 4 + 1 + 5 + 1 + 4, u' ')));

    const QStringList a = readLines(d, QStringLiteral("ZelvorA.lst"));
    const QStringList b = readLines(d, QStringLiteral("ZelvorB.lst"));
    const QStringList c = readLines(d, QStringLiteral("ZelvorC.lst"));
    const QString plcc = QStringLiteral("Seven").leftJustified(20) +
                         QStringLiteral(" P1           ") +
                         QStringLiteral("PLCC  DIP28-PLCC32").leftJustified(30);
    EXPECT_TRUE(a.contains(plcc + QStringLiteral(" Zelvor-A,Zelvor-AUSB")));
    EXPECT_TRUE(b.contains(plcc + QStringLiteral(" Zelvor-B,Zelvor-BUSB")));
    EXPECT_TRUE(c.contains(plcc + QStringLiteral(" Zelvor-C")));
    const auto listed = [](const QStringList& list, const QString& part) {
        for (const QString& l : list)
            if (l.mid(21, 12).trimmed() == part) return true;
        return false;
    };
    EXPECT_TRUE(listed(a, QStringLiteral("SUB4")));
    EXPECT_FALSE(listed(b, QStringLiteral("SUB4")));
    EXPECT_FALSE(listed(c, QStringLiteral("SUB4")));
    EXPECT_FALSE(listed(b, QStringLiteral("MCU"))) << "an MCS-51 part is never in ZelvorB.lst";
    EXPECT_FALSE(listed(c, QStringLiteral("SUB2")));
    EXPECT_TRUE(listed(b, QStringLiteral("SUB2")));
    for (const QStringList* list : {&a, &b, &c})
        EXPECT_FALSE(listed(*list, QStringLiteral("LOST")));
    // 7 parts x 3 items + MCU, WIDE (one empty item each), SUB2, SUB4, SUB3 in A.
    EXPECT_EQ(a.last(), QStringLiteral("Total device: 26"));
    EXPECT_EQ(b.last(), QStringLiteral("Total device: 22"));
    EXPECT_EQ(c.last(), QStringLiteral("Total device: 23"));
    EXPECT_EQ(a.size(), 26 + 2);
}

TEST(SupportLists, AFileThatCannotBeWrittenStopsTheCommand) {
    test::TestSession t;
    fill(t.s);
    test::TestDir d;
    ASSERT_TRUE(QDir(d.path()).mkdir(QStringLiteral("ZelvorB.lst"))); // a folder in the way
    const int ad = PrintListAd(t.s, d.path());
    EXPECT_EQ(ad, kListsWriteFailed);
    EXPECT_FALSE(d.readBytes(QStringLiteral("ZelvorA.lst")).isEmpty());
    EXPECT_TRUE(d.readBytes(QStringLiteral("ZelvorC.lst")).isEmpty()) << "stopped at ZelvorB.lst";
    const int sh = PrintListSh(t.s, d.path() + QStringLiteral("/missing/dir"));
    EXPECT_EQ(sh, kListsWriteFailed);
}

#ifdef ZELVOR_CLI_PATH
namespace {
QString runCli(const QStringList& args, int& exitCode) {
    QProcess p;
    p.start(QStringLiteral(ZELVOR_CLI_PATH), args);
    p.waitForFinished(60000);
    exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

TEST(SupportListsCli, ChipsAndSupportListsVerbs) {
    test::TestDir d;
    d.copyData(QStringLiteral("prgplus.lst"));
    d.copyData(QStringLiteral("prgadapt.lst"));
    int rc = -1;
    const QString out = runCli(
        {QStringLiteral("--dir"), d.path(), QStringLiteral("chips"), QStringLiteral("at29c256")},
        rc);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(out.startsWith(QStringLiteral("Atmel\tAT29C256\t29C256\t"))) << qPrintable(out);

    const QString lists = d.path() + QStringLiteral("/lists");
    ASSERT_TRUE(QDir().mkpath(lists));
    runCli({QStringLiteral("--dir"), d.path(), QStringLiteral("support-lists"), lists}, rc);
    EXPECT_EQ(rc, 0);
    QFile f(lists + QStringLiteral("/shlist.lst"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    BaseTable base;
    ASSERT_EQ(loadBaseTable(d.path() + QStringLiteral("/prgplus.lst"), base).code, kBaseLoaded);
    Catalogue cat;
    (void)parseCatalogue(builtInCatalogueLines(), base, cat);
    EXPECT_TRUE(text.trimmed().endsWith("Total device: " + QByteArray::number(cat.catCount())))
        << text.right(40).constData();
    for (const char* name : {"shadapt.lst", "ZelvorA.lst", "ZelvorB.lst", "ZelvorC.lst"})
        EXPECT_TRUE(QFile::exists(lists + QLatin1Char('/') + QLatin1String(name))) << name;

    runCli(
        {QStringLiteral("--dir"), d.path(), QStringLiteral("chips"), QStringLiteral("NOSUCHPART")},
        rc);
    EXPECT_EQ(rc, 1);
}
#endif
