#include "ChipFixtures.h"
#include "TestDir.h"

#include "catalogue/Adapters.h"

#include <QRandomGenerator>

using namespace zelvor;
using namespace zelvor::test;

namespace {
QStringList split(const char* line) {
    return AdapterSet(QString::fromUtf8(line));
}
QStringList list(std::initializer_list<const char*> items) {
    QStringList l;
    for (const char* i : items)
        l << QString::fromUtf8(i);
    return l;
}
} // namespace

TEST(Adapters, SplittingALine) {
    // The last item needs a blank after it.
    EXPECT_EQ(split("PLCC32;DIP32-PLCC32"), list({"PLCC32"}));
    EXPECT_EQ(split("PLCC32;DIP32-PLCC32 "), list({"PLCC32", "DIP32-PLCC32"}));
    EXPECT_EQ(split("PLCC32;DIP32-PLCC32 any comment; here"),
              list({"PLCC32", "DIP32-PLCC32 any comment"}));
    // Two adjacent separators give an empty item; items keep their blanks.
    EXPECT_EQ(split("A;;B "), list({"A", "", "B"}));
    EXPECT_EQ(split("TSOP 40;x "), list({"TSOP 40", "x"}));
    EXPECT_EQ(split(""), QStringList());
    EXPECT_EQ(split(" "), QStringList());
    EXPECT_EQ(split(";"), list({""}));
    EXPECT_EQ(split("ONLYONE"), QStringList());
    EXPECT_EQ(split("ONLYONE rest"), list({"ONLYONE"}));
}

TEST(Adapters, OnlyTheFirst45CharactersCount) {
    // 60 characters: the blank after the second item lies beyond 45, so it is dropped.
    const QString first = QString(20, u'A');
    const QString second = QString(30, u'B');
    const QString line = first + u';' + second + u' ' + QString(8, u'C');
    ASSERT_EQ(line.size(), 60);
    EXPECT_EQ(AdapterSet(line), QStringList{first});
    // A blank at position 45 still counts.
    const QString fits = QString(20, u'A') + u';' + QString(23, u'B') + u' ' + QString(15, u'C');
    EXPECT_EQ(AdapterSet(fits), (QStringList{QString(20, u'A'), QString(23, u'B')}));
    // A separator beyond 45 is not seen.
    const QString late = QString(46, u'A') + QStringLiteral(";B ");
    EXPECT_EQ(AdapterSet(late), QStringList());
}

TEST(Adapters, ReadingTheListFile) {
    TestDir dir;
    TestSession t;
    loadAdapters(t.s, dir.path());
    EXPECT_TRUE(t.s.adapterLines.isEmpty()); // missing: every list stays empty

    QStringList lines;
    for (int k = 0; k < 40; ++k)
        lines << QStringLiteral("code%1;адаптер%1 ").arg(k);
    dir.writeLines(QStringLiteral("prgadapt.lst"), lines);
    loadAdapters(t.s, dir.path());
    ASSERT_EQ(t.s.adapterLines.size(), kAdapterCodes);
    EXPECT_EQ(adapterItems(t.s, 30),
              (QStringList{QStringLiteral("code30"), QStringLiteral("адаптер30")}));
    EXPECT_TRUE(adapterItems(t.s, 31).isEmpty());
    EXPECT_TRUE(adapterItems(t.s, 255).isEmpty());
    EXPECT_TRUE(adapterItems(t.s, -1).isEmpty());

    dir.writeLines(QStringLiteral("prgadapt.lst"), {QStringLiteral("none ")});
    loadAdapters(t.s, dir.path());
    EXPECT_EQ(t.s.adapterLines.size(), 1);
    EXPECT_TRUE(adapterItems(t.s, 1).isEmpty()); // codes without a line
}

TEST(Adapters, MainListIsSortedAndPreviewShowsThree) {
    ChipSession c({{.adapter = 2}, {.adapter = 5}, {.adapter = 30}});
    c.s.adapterLines = {QString(), QString(), QStringLiteral("zeta;Alpha;beta;DIP32-PLCC32 "),
                        QString(), QString(), QStringLiteral("DIP40-DIP20 ")};
    c.s.rom.adapter = 2;
    EXPECT_EQ(AdapterShow(c.s),
              (QStringList{QStringLiteral("Alpha"), QStringLiteral("beta"),
                           QStringLiteral("DIP32-PLCC32"), QStringLiteral("zeta")}));
    const auto three = AdapterSetV(c.s, 1);
    EXPECT_EQ(three[0], QStringLiteral("zeta"));
    EXPECT_EQ(three[1], QStringLiteral("Alpha"));
    EXPECT_EQ(three[2], QStringLiteral("beta"));
    const auto one = AdapterSetV(c.s, 2);
    EXPECT_EQ(one[0], QStringLiteral("DIP40-DIP20"));
    EXPECT_TRUE(one[1].isEmpty() && one[2].isEmpty());
    const auto none = AdapterSetV(c.s, -1);
    EXPECT_TRUE(none[0].isEmpty());
    EXPECT_TRUE(AdapterSetV(c.s, 3)[0].isEmpty()); // code 30 has no line
}

TEST(Adapters, GarbageFilesNeverCrash) {
    TestDir dir;
    TestSession t;
    QRandomGenerator rng(777);
    for (int round = 0; round < 100; ++round) {
        QByteArray data;
        const int n = int(rng.bounded(3000));
        for (int i = 0; i < n; ++i)
            data += char(rng.bounded(256));
        dir.writeBytes(QStringLiteral("prgadapt.lst"), data);
        loadAdapters(t.s, dir.path());
        EXPECT_LE(t.s.adapterLines.size(), kAdapterCodes);
        for (int code = 0; code < kAdapterCodes; ++code) {
            for (const QString& item : adapterItems(t.s, code))
                EXPECT_LE(item.size(), 45);
        }
    }
}
