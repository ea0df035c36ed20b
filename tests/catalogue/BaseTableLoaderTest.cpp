#include "ChipFixtures.h"
#include "TestDir.h"

#include <QRandomGenerator>

using namespace zelvor;
using namespace zelvor::test;

namespace {

BaseLoadResult parse(const QStringList& lines, BaseTable& t) {
    return parseBaseTable(lines, t);
}

} // namespace

TEST(BaseTableLoader, RowColumnsNameAndSignatures) {
    BaseTable t;
    const QStringList lines{
        rowLine({.cls = 0,
                 .alg = 3,
                 .size = 64,
                 .vpp = 1,
                 .pulse = 2,
                 .vcc = 1,
                 .adapter = 2,
                 .variant = 1,
                 .subType = 3,
                 .name = QStringLiteral("27C512")}),
        rowLine({.cls = 6,
                 .alg = 26,
                 .size = 8,
                 .width = 16,
                 .name = QStringLiteral("ATmega8"),
                 .sigA = QStringLiteral("93"),
                 .sigB = QStringLiteral("07")}),
    };
    ASSERT_EQ(parse(lines, t).code, kBaseLoaded);
    ASSERT_EQ(t.baseCount(), 2);
    const BaseRow& a = t.at(1);
    EXPECT_EQ(a.baseClass, 0);
    EXPECT_EQ(a.col[2], 3);
    EXPECT_EQ(a.size, 64 * 1024);
    EXPECT_EQ(a.col[4], 1);
    EXPECT_EQ(a.col[5], 2);
    EXPECT_EQ(a.col[6], 1);
    EXPECT_EQ(a.baseAdapter(), 2);
    EXPECT_EQ(a.col[25], 1);
    EXPECT_EQ(a.col[26], 3);
    EXPECT_EQ(a.baseName, QStringLiteral("27C512         "));
    EXPECT_EQ(a.key(), QStringLiteral("27C512      "));
    EXPECT_TRUE(a.baseSigA.isEmpty());
    EXPECT_EQ(a.line, 1);

    const BaseRow& b = t.at(2);
    EXPECT_EQ(b.baseSigA, QStringLiteral("93"));
    EXPECT_EQ(b.baseSigB, QStringLiteral("07"));
    EXPECT_EQ(b.col[7], 16);
    EXPECT_EQ(t.memTypeCount, 1);
}

TEST(BaseTableLoader, CommentLinesAndBlankLinesTakeNoIndex) {
    BaseTable t;
    const QStringList lines{
        QStringLiteral("99 whatever follows, even words"),
        rowLine({.name = QStringLiteral("FIRST")}),
        QString(),
        QStringLiteral("   \t "),
        QStringLiteral("10 1 2"),
        QStringLiteral("12345678901234567890123 huge comment marker"),
        rowLine({.cls = 9, .name = QStringLiteral("SECOND")}),
    };
    ASSERT_EQ(parse(lines, t).code, kBaseLoaded);
    ASSERT_EQ(t.baseCount(), 2);
    EXPECT_EQ(t.at(1).key().trimmed(), QStringLiteral("FIRST"));
    EXPECT_EQ(t.at(2).key().trimmed(), QStringLiteral("SECOND"));
    EXPECT_EQ(t.at(2).line, 7);
    EXPECT_EQ(t.at(2).baseClass, 9);
    EXPECT_EQ(t.memTypeCount, 1); // class 9 is not a memory type of the type list
}

TEST(BaseTableLoader, NamePositionsFollowTheLineAsWritten) {
    BaseTable t;
    // Two blanks before the name shift it by one position; a short name stays short.
    const QString nums = QStringLiteral("0 3 64 0 0 0 8 1 0 1 0 0 1 1 1 0 0 0 0 0 0 0 0 0 0 0");
    const QStringList lines{nums + QStringLiteral("  27C512         "),
                            nums + QStringLiteral(" 27C512"), nums};
    ASSERT_EQ(parse(lines, t).code, kBaseLoaded);
    ASSERT_EQ(t.baseCount(), 3);
    EXPECT_EQ(t.at(1).key(), QStringLiteral(" 27C512     "));
    EXPECT_EQ(t.at(2).key(), QStringLiteral("27C512"));
    EXPECT_EQ(t.at(3).baseName, QString());
    // Neither matches the catalogue's blank-padded key, and only the shifted one fails a
    // lookup by name.
    const QString catalogueKey = QStringLiteral("27C512      ");
    EXPECT_NE(t.at(1).key(), catalogueKey);
    EXPECT_NE(t.at(2).key(), catalogueKey);
    EXPECT_EQ(findBaseByName(t, QStringLiteral("27c512")), 2);
}

TEST(BaseTableLoader, ValuesAreKeptModulo256ExceptTheSize) {
    BaseTable t;
    ASSERT_EQ(
        parse({rowLine({.alg = 259, .size = 300, .vpp = 256 + 7, .pulse = -1, .adapter = 513})}, t)
            .code,
        kBaseLoaded);
    const BaseRow& r = t.at(1);
    EXPECT_EQ(r.col[2], 3);
    EXPECT_EQ(r.size, 300 * 1024);
    EXPECT_EQ(r.col[4], 7);
    EXPECT_EQ(r.col[5], 255);
    EXPECT_EQ(r.baseAdapter(), 1);
}

TEST(BaseTableLoader, RowsBeyond400AreCountedNotStored) {
    QStringList lines;
    for (int i = 0; i < 405; ++i) {
        if (i == 402) lines << QStringLiteral("99 a comment among the extra rows");
        lines << rowLine({.name = QStringLiteral("R%1").arg(i + 1)});
    }
    BaseTable t;
    const BaseLoadResult r = parse(lines, t);
    EXPECT_EQ(r.code, kBaseLoaded);
    EXPECT_EQ(t.baseCount(), 400);
    EXPECT_EQ(t.at(400).key().trimmed(), QStringLiteral("R400"));
    EXPECT_EQ(r.droppedRows, 5);
    EXPECT_EQ(r.firstDropped, 401);

    TestSession ts;
    const QString text = baseLoadMessage(ts.s, r, QStringLiteral("prgplus.lst"));
    EXPECT_TRUE(text.contains(QStringLiteral("prgplus.lst")));
    EXPECT_TRUE(text.contains(QStringLiteral("401")));
}

TEST(BaseTableLoader, UnreadableNumberStopsWithFileLineAndColumn) {
    TestSession ts;
    struct Case {
        QString bad;
        int column;
        int code;
    };
    const QString head = rowLine({.name = QStringLiteral("GOOD")});
    const std::vector<Case> cases{
        {QStringLiteral("0 3 6x4 0 0 0 8 1 0 1 0 0 1 1 1 0 0 0 0 0 0 0 0 0 0 0 NAME"), 3,
         kBaseBadNumber},
        {QStringLiteral("0 3 64 0 0 0 8 1 0 1 0 0 1 1 1 0 0 0 0 0 0 0 0 0"), 25, kBaseBadNumber},
        {QStringLiteral("; not a number"), 1, kBaseBadNumber},
        {QStringLiteral("0 3 -1 0 0 0 8 1 0 1 0 0 1 1 1 0 0 0 0 0 0 0 0 0 0 0 NAME"), 3,
         kBaseBadSize},
        {QStringLiteral("0 3 2097152 0 0 0 8 1 0 1 0 0 1 1 1 0 0 0 0 0 0 0 0 0 0 0 NAME"), 3,
         kBaseBadSize},
        {QStringLiteral("0 3 64 99999999999999999999 0 0 8 1 0 1 0 0 1 1 1 0 0 0 0 0 0 0 0 0 0 0"),
         4, kBaseBadNumber},
    };
    for (const Case& c : cases) {
        BaseTable t;
        const BaseLoadResult r = parse({head, QStringLiteral("99 comment"), c.bad, head}, t);
        EXPECT_EQ(r.code, c.code) << c.bad.toStdString();
        EXPECT_EQ(r.line, 3);
        EXPECT_EQ(r.column, c.column) << c.bad.toStdString();
        EXPECT_EQ(t.baseCount(), 1); // what came before stays, nothing after is read
        const QString text = baseLoadMessage(ts.s, r, QStringLiteral("/x/prgplus.lst"));
        EXPECT_TRUE(text.contains(QStringLiteral("prgplus.lst"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("line 3"))) << text.toStdString();
    }
}

TEST(BaseTableLoader, FilesMissingEmptyAndOnlyComments) {
    TestDir dir;
    BaseTable t;
    EXPECT_EQ(loadBaseTable(dir.file(QStringLiteral("prgplus.lst")), t).code, kBaseNoFile);
    dir.writeBytes(QStringLiteral("prgplus.lst"), QByteArray());
    EXPECT_EQ(loadBaseTable(dir.file(QStringLiteral("prgplus.lst")), t).code, kBaseEmpty);
    dir.writeLines(QStringLiteral("prgplus.lst"), {QStringLiteral("99 only comments"), QString()});
    EXPECT_EQ(loadBaseTable(dir.file(QStringLiteral("prgplus.lst")), t).code, kBaseEmpty);

    TestSession ts;
    ts.s.settings.english = 0;
    QString why;
    EXPECT_EQ(loadBaseTable(ts.s, dir.path(), why), kBaseEmpty);
    EXPECT_TRUE(why.contains(QStringLiteral("prgplus.lst")));
    EXPECT_TRUE(why.startsWith(QStringLiteral("Файл")));
}

TEST(BaseTableLoader, StartUpPhaseReadsCp1251AndReportsDroppedRows) {
    TestDir dir;
    QStringList lines{QStringLiteral("99 комментарий")};
    for (int i = 0; i < 401; ++i)
        lines << rowLine({.name = QStringLiteral("R%1").arg(i)});
    dir.writeLines(QStringLiteral("prgplus.lst"), lines);
    TestSession ts;
    QString why;
    EXPECT_EQ(loadBaseTable(ts.s, dir.path(), why), kBaseLoaded);
    EXPECT_TRUE(why.isEmpty());
    EXPECT_EQ(ts.s.base.baseCount(), 400);
    ASSERT_EQ(ts.fe.boxes.size(), 1);
    EXPECT_TRUE(ts.fe.boxes.front().contains(QStringLiteral("402")));
}

TEST(BaseTableLoader, GarbageAndTruncatedFilesNeverCrash) {
    TestDir dir;
    const QString good = rowLine({.cls = 6,
                                  .alg = 26,
                                  .name = QStringLiteral("ATmega8"),
                                  .sigA = QStringLiteral("93"),
                                  .sigB = QStringLiteral("07")});
    const QByteArray goodBytes = good.toLatin1() + "\r\n";
    QRandomGenerator rng(12345);
    for (int round = 0; round < 300; ++round) {
        QByteArray data;
        if (round % 3 == 0) {
            // A good row cut anywhere.
            data = goodBytes.left(int(rng.bounded(goodBytes.size() + 1)));
        } else {
            const int n = int(rng.bounded(400));
            for (int i = 0; i < n; ++i) {
                const char alphabet[] = "0123456789 -\t\r\n;x\xFF\x00";
                data += alphabet[rng.bounded(int(sizeof alphabet - 1))];
            }
        }
        dir.writeBytes(QStringLiteral("prgplus.lst"), data);
        BaseTable t;
        const BaseLoadResult r = loadBaseTable(dir.file(QStringLiteral("prgplus.lst")), t);
        EXPECT_TRUE(r.code >= kBaseLoaded && r.code <= kBaseBadSize);
        EXPECT_LE(t.baseCount(), BaseTable::kMaxRows);
        for (const BaseRow& row : t.rows) {
            EXPECT_LT(row.baseClass, 10);
            EXPECT_LE(row.baseName.size(), 15);
        }
    }
}

TEST(BaseTableLoader, LookupByNameIgnoresCaseAndTrailingBlanks) {
    BaseTable t;
    ASSERT_EQ(parse({rowLine({.name = QStringLiteral("27C512")}),
                     rowLine({.name = QStringLiteral("PIC16F84")}),
                     rowLine({.alg = 4, .name = QStringLiteral("27C512")})},
                    t)
                  .code,
              kBaseLoaded);
    EXPECT_EQ(findBaseByName(t, QStringLiteral("pic16f84")), 2);
    EXPECT_EQ(findBaseByName(t, QStringLiteral("PIC16F84   ")), 2);
    EXPECT_EQ(findBaseByName(t, QStringLiteral("27C512")), 3); // the later row, as the catalogue
    EXPECT_EQ(findBaseByName(t, QStringLiteral("27C51")), -1);
    EXPECT_EQ(findBaseByName(t, QString()), -1);
}
