// The built-in catalogue checked like code (every layout rule of its lines), and the parser
// on small synthetic tables.

#include "TestSession.h"

#include "catalogue/BaseTableLoader.h"
#include "catalogue/CatalogueData.h"
#include "catalogue/CatalogueParser.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

using namespace zelvor;

namespace {

struct MakerTable {
    QString header; // as stored: cut to 20 characters
    int half = 0;
    int deviceLines = 0;
};

// Header order and halves from makers.tsv, device lines counted in the maker tables: the
// compiled catalogue must be what the tables say.
std::vector<MakerTable> makerTables() {
    const QString dir = QStringLiteral(ZELVOR_SOURCE_DIR "/scripts/catalogue/");
    std::vector<MakerTable> out;
    QFile index(dir + QStringLiteral("makers.tsv"));
    if (!index.open(QIODevice::ReadOnly | QIODevice::Text)) return out;
    for (const QString& line : QString::fromUtf8(index.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        out.push_back({f.value(0).left(20), f.value(1).toInt(), 0});
    }
    QStringList files = QDir(dir + QStringLiteral("makers"))
                            .entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name);
    if (files.size() != qsizetype(out.size())) return {};
    for (qsizetype i = 0; i < files.size(); ++i) {
        QFile f(dir + QStringLiteral("makers/") + files[i]);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
        for (const QString& raw : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            const QString ln = raw.section(QLatin1Char('#'), 0, 0).trimmed();
            if (!ln.isEmpty() && !ln.startsWith(QLatin1Char('@'))) ++out[size_t(i)].deviceLines;
        }
    }
    return out;
}

const char* const kBaseNames =
    "24C01 24C01A 24C02 24C02A 24C04 24C04A 24C08 24C1024 24C128 24C16 24C256 24C32 24C32A "
    "24C512 24C64 24C65 25C020 25C040 25C080 25C128 25C160 25C256 25C320 25C512 25C640 25F128 "
    "25F256 25F320 25F40 25F640 25LV010 25VF080 25VF320 25VF512 27128A 2716 27256 2732A 27512 "
    "2764A 27C010 27C020 27C040 27C080 27C1024 27C128 27C2048 27C256 27C4096 27C512 27C64 "
    "27SF010 27SF512 28C010 28C040 28C256 28C256B 28C64 28C64B 28F001BX-B 28F001BX-T "
    "28F002BX-B 28F002BX-T 28F004BX-B 28F004BX-T 28F008BX-B 28F008BX-T 28F010 28F020 28F1000 "
    "28F102 28F2000 28F200BX-B 28F200BX-T 28F256 28F400BX-B 28F400BX-T 28F512 28F640Bx16 "
    "28F640Tx16 28F800BX-B 28F800BX-T 28SF040 29C010 29C020 29C040 29C256 29C512 29EE010 "
    "29EE011 29EE020 29EE512 29F001 29F001N 29F002 29F002N 29F004 29F008 29F010 29F010B "
    "29F020 29F040 29F040B 29F100 29F160 29F200 29F320 29F400 29F512 29F640x16 29F800 29FW160 "
    "29FW320 29FW640x16 29FW800 29GL256x16 39F160 39F800 39SF010 39SF020 39SF040 39SF512 "
    "39V080 45DB081 45DB161 49F001 49F001N 49F002 49F002N 49F008 49F010 49F016 49F020 49F040 "
    "49F160 49F4096 49LF002 49LF004 49LF008 573RF2 573RF4 6116 62C64 8751BH 8751H 8752BH 87C51 "
    "87C51FA 87C51FB 87C51FC 87C52 87C54 87C58 93C46 93C46B 93C56 93C56B 93C66 93C66B 93C76 "
    "93C86 AT89C1051 AT89C2051 AT89C4051 AT89C51 AT89C51RC AT89C52 AT89C55 AT89C55WD AT89S51 "
    "AT89S52 AT89S53 AT89S8252 K9F1208 K9F1G08 K9F4008 K9F5608 K9F6408 MPC89E515 P89C58X2 "
    "P89C60X2 PIC16F627 PIC16F628 PIC16F83 PIC16F84 PIC16F870 PIC16F871 PIC16F872 PIC16F873 "
    "PIC16F873A PIC16F874 PIC16F874A PIC16F876 PIC16F876A PIC16F877 PIC16F877A W27C010 "
    "W27C020 W27C040 W27C256 W27C512 W29C020 W78E51 W78E516 W78E52 W78E54 W78E58 W78E58B "
    "i82802AB i82802AC";

bool isSerialBase(const QString& key) {
    return key.startsWith(QLatin1String("24C")) || key.startsWith(QLatin1String("25C")) ||
           key.startsWith(QLatin1String("93C"));
}

struct DeviceLine {
    int maker; // 0-based index into kMakers
    QString text;
};

// The device lines of the built-in data with their manufacturer.
std::vector<DeviceLine> deviceLines() {
    std::vector<DeviceLine> out;
    int maker = -1;
    for (const QString& line : builtInCatalogueLines()) {
        if (line.startsWith(QLatin1Char(':')))
            ++maker;
        else if (!line.startsWith(QLatin1Char('@')) && !line.startsWith(QLatin1Char('*')))
            out.push_back({maker, line});
    }
    return out;
}

BaseRow row(int cls, const QString& name, const QString& sigA = {}, const QString& sigB = {}) {
    BaseRow r;
    r.baseClass = quint8(cls);
    r.col[1] = quint8(cls);
    r.baseName = name.leftJustified(15, QLatin1Char(' '));
    r.baseSigA = sigA;
    r.baseSigB = sigB;
    return r;
}

BaseTable table(std::vector<BaseRow> rows) {
    BaseTable t;
    t.rows = std::move(rows);
    for (const BaseRow& r : t.rows)
        if (r.baseClass < 5) ++t.memTypeCount;
    return t;
}

QString device(const QString& part, const QString& base,
               const QString& rest = QStringLiteral("0")) {
    return part.leftJustified(12, QLatin1Char(' ')) + base.leftJustified(12, QLatin1Char(' ')) +
           rest;
}

} // namespace

// --- the built-in data --------------------------------------------------------------------

TEST(CatalogueData, HalvesHeadersAndCountsPerManufacturerAreTheTables) {
    const std::vector<MakerTable> makers = makerTables();
    ASSERT_FALSE(makers.empty()) << "the maker tables are read from the source tree";
    const QStringList lines = builtInCatalogueLines();
    ASSERT_EQ(lines.size(), kCatalogueFirstHalfLines + kCatalogueSecondHalfLines);
    ASSERT_GT(kCatalogueSecondHalfLines, 0);
    EXPECT_TRUE(QString::fromLatin1(kCatalogueFirstHalf[0]).startsWith(QLatin1Char(':')));
    EXPECT_TRUE(QString::fromLatin1(kCatalogueSecondHalf[0]).startsWith(QLatin1Char(':')))
        << "the second half starts with a header";

    QStringList headers;
    std::vector<int> counts, halves;
    int expansions = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        ASSERT_LE(line.size(), kCatalogueLineWidth) << qPrintable(line);
        if (line.startsWith(QLatin1Char(':'))) {
            headers << line.mid(1, 20).trimmed();
            counts.push_back(0);
            halves.push_back(i < kCatalogueFirstHalfLines ? 1 : 2);
        } else if (line.startsWith(QLatin1Char('@'))) {
            ++expansions;
        } else {
            ASSERT_FALSE(line.startsWith(QLatin1Char('*'))) << "the built-in data has no comments";
            ASSERT_FALSE(counts.empty()) << "a device line before the first header";
            ++counts.back();
        }
    }
    EXPECT_EQ(expansions, 2);
    ASSERT_EQ(headers.size(), qsizetype(makers.size()));
    for (size_t i = 0; i < makers.size(); ++i) {
        SCOPED_TRACE(qPrintable(makers[i].header));
        EXPECT_EQ(headers[qsizetype(i)], makers[i].header) << "header " << i + 1;
        EXPECT_EQ(counts[i], makers[i].deviceLines);
        EXPECT_GT(counts[i], 0) << "a maker without parts leaves with its header";
        EXPECT_EQ(halves[i], makers[i].half);
    }
    EXPECT_EQ(deviceLines().size(), size_t(lines.size() - qsizetype(headers.size()) - expansions));
}

TEST(CatalogueData, ExpansionLinesStandWhereTheyBelong) {
    const QStringList lines = builtInCatalogueLines();
    const qsizetype atmel = lines.indexOf(QRegularExpression(QStringLiteral("^:Atmel\\s*$")));
    const qsizetype avr = lines.indexOf(QStringLiteral("@Atmel"));
    ASSERT_GT(atmel, 0);
    ASSERT_GT(avr, atmel);
    EXPECT_TRUE(lines[avr + 1].startsWith(QLatin1Char(':')))
        << "@Atmel is the last line under Atmel";
    for (qsizetype i = atmel + 1; i < avr; ++i)
        EXPECT_FALSE(lines[i].startsWith(QLatin1Char(':')));

    const qsizetype pic = lines.indexOf(QStringLiteral("@PIC"));
    ASSERT_GT(pic, 0);
    qsizetype header = pic;
    while (!lines[header].startsWith(QLatin1Char(':')))
        --header;
    EXPECT_EQ(lines[header].mid(1).trimmed(), QStringLiteral("Microchip"));
    EXPECT_TRUE(isSerialBase(lines[pic - 1].mid(12, 12).trimmed())) << "serial EEPROMs before @PIC";
    int picLines = 0;
    for (qsizetype i = pic + 1; i < lines.size() && !lines[i].startsWith(QLatin1Char(':')); ++i) {
        EXPECT_TRUE(lines[i].mid(12, 12).startsWith(QLatin1String("PIC"))) << qPrintable(lines[i]);
        ++picLines;
    }
    EXPECT_GT(picLines, 0) << "explicit PIC lines follow @PIC";
}

TEST(CatalogueData, SizeVoltageCodesAndSerialLines) {
    const QString codeSet = QStringLiteral("01234589");
    for (const DeviceLine& d : deviceLines()) {
        SCOPED_TRACE(qPrintable(d.text));
        ASSERT_GE(d.text.size(), 25);
        EXPECT_TRUE(codeSet.contains(d.text.at(24)));
        const bool serial = isSerialBase(d.text.mid(12, 12).trimmed());
        const bool noIds = d.text.mid(25).trimmed().isEmpty();
        if (d.text.size() == 25)
            EXPECT_TRUE(serial) << "only serial memories end after the code";
        else if (serial)
            EXPECT_FALSE(noIds) << "a serial memory without ID ends after the code";
    }
}

TEST(CatalogueData, FixedColumnsNamesAndIdTexts) {
    static const QRegularExpression hex2(QStringLiteral("^[0-9A-F]{2}$"));
    static const QRegularExpression name(QStringLiteral("^[!-~]+ *$"));
    std::map<int, QSet<QString>> partsPerMaker;
    for (const DeviceLine& d : deviceLines()) {
        const QString& t = d.text;
        SCOPED_TRACE(qPrintable(t));
        EXPECT_TRUE(name.match(t.mid(0, 12)).hasMatch()) << "part name left-aligned, printable";
        EXPECT_TRUE(name.match(t.mid(12, 12)).hasMatch()) << "base key left-aligned, printable";
        EXPECT_FALSE(partsPerMaker[d.maker].contains(t.mid(0, 12).toUpper())) << "repeated part";
        partsPerMaker[d.maker].insert(t.mid(0, 12).toUpper());
        if (t.size() == 25) continue;
        EXPECT_EQ(t.size(), 34);
        EXPECT_EQ(t.mid(25, 1), QStringLiteral(" "));
        EXPECT_EQ(t.mid(28, 1), QStringLiteral(" "));
        EXPECT_EQ(t.mid(31, 1), QStringLiteral(" "));
        for (int pos : {26, 29, 32}) {
            const QString id = t.mid(pos, 2);
            EXPECT_TRUE(id == QStringLiteral("  ") || hex2.match(id).hasMatch()) << pos;
        }
        const bool any = t.mid(26).trimmed().size() > 0;
        if (any) {
            EXPECT_TRUE(hex2.match(t.mid(26, 2)).hasMatch()) << "codes start with the maker";
        }
    }
}

TEST(CatalogueData, BaseNamesAreExactlyTheListedOnes) {
    QSet<QString> listed;
    for (const QString& n : QString::fromLatin1(kBaseNames).split(QLatin1Char(' ')))
        listed.insert(n);
    ASSERT_EQ(listed.size(), 210);
    QSet<QString> used;
    for (const DeviceLine& d : deviceLines())
        used.insert(d.text.mid(12, 12).trimmed());
    EXPECT_EQ(used, listed);
}

TEST(CatalogueData, EveryBaseNameResolvesAgainstTheShippedTable) {
    const QString path = QStringLiteral(ZELVOR_SOURCE_DIR "/data/prgplus.lst");
    if (!QFile::exists(path)) GTEST_SKIP() << "data/prgplus.lst is not there yet";
    BaseTable base;
    const BaseLoadResult lr = loadBaseTable(path, base);
    ASSERT_EQ(lr.code, kBaseLoaded);

    Catalogue cat;
    const CatalogueParseResult r = parseCatalogue(builtInCatalogueLines(), base, cat);
    EXPECT_TRUE(r.missingBases.isEmpty()) << qPrintable(r.missingBases.join(QLatin1Char(',')));
    EXPECT_EQ(r.dropped, 0);

    int pic = 0, avr = 0;
    for (int k = base.memTypeCount + 1; k <= base.baseCount(); ++k) {
        pic += base.at(k).baseClass == 5;
        avr += base.at(k).baseClass == 6;
    }
    EXPECT_GT(pic, 0);
    EXPECT_GT(avr, 0);
    EXPECT_EQ(cat.catCount(), int(deviceLines().size()) + pic + avr);
    EXPECT_LE(cat.catCount(), Catalogue::kMaxEntries);

    // Every PIC and AVR family is offered: under Microchip and Atmel respectively.
    QSet<int> expandedPic, expandedAvr;
    for (int i = 1; i <= cat.catCount(); ++i) {
        const CatEntry& e = cat.at(i);
        ASSERT_TRUE(base.valid(e.base)) << qPrintable(e.name);
        const int cls = base.at(e.base).baseClass;
        const QString maker = cat.makerName(e.maker).trimmed();
        if (cls == 6) {
            EXPECT_EQ(maker, QStringLiteral("Atmel")) << qPrintable(e.name);
            EXPECT_EQ(e.id0, QStringLiteral("1E"));
            expandedAvr.insert(e.base);
        }
        if (cls == 5 && e.id0 == QStringLiteral(" ")) {
            EXPECT_EQ(maker, QStringLiteral("Microchip"));
            expandedPic.insert(e.base);
        }
    }
    EXPECT_EQ(expandedAvr.size(), avr);
    EXPECT_EQ(expandedPic.size(), pic);
}

// --- the parser -----------------------------------------------------------------------------

TEST(CatalogueParser, HeadersCommentsAndLineKinds) {
    const BaseTable base =
        table({row(0, QStringLiteral("27C512")), row(0, QStringLiteral("27C5120"))});
    Catalogue cat;
    const QStringList lines = {
        device(QStringLiteral("EARLY"), QStringLiteral("27C512")),
        QStringLiteral(":AMD"),
        QStringLiteral("* a comment line with anything 27C512"),
        QString(),
        device(QStringLiteral("Am27C512"), QStringLiteral("27C512"), QStringLiteral("0 01 91 06")),
        QStringLiteral("@Zzz ignored"),
        QStringLiteral(":A maker name that is far too long"),
        device(QStringLiteral("TMS27C512"), QStringLiteral("27C512"), QStringLiteral("0 0301   ")),
    };
    const CatalogueParseResult r = parseCatalogue(lines, base, cat);
    ASSERT_EQ(r.entries, 3);
    EXPECT_EQ(cat.at(1).maker, 0) << "entries before the first header belong to no maker";
    EXPECT_EQ(cat.makerName(0), QString());
    ASSERT_EQ(cat.makerNames.size(), 2);
    EXPECT_EQ(cat.makerNames[0], QStringLiteral("AMD").leftJustified(20, u' '));
    EXPECT_EQ(cat.makerNames[1], QStringLiteral("A maker name that is"));
    const CatEntry& am = cat.at(2);
    EXPECT_EQ(am.maker, 1);
    EXPECT_EQ(am.name, QStringLiteral("Am27C512    "));
    EXPECT_EQ(am.baseName, QStringLiteral("27C512      "));
    EXPECT_EQ(am.mult, QLatin1Char('0'));
    EXPECT_EQ(am.id0, QStringLiteral("01"));
    EXPECT_EQ(am.id1, QStringLiteral("91"));
    EXPECT_EQ(am.id2, QStringLiteral("06"));
    EXPECT_EQ(am.base, 1) << "the key matches only the name followed by blanks";
    // Texts are taken by position, whatever they hold.
    EXPECT_EQ(cat.at(3).id0, QStringLiteral("03"));
    EXPECT_EQ(cat.at(3).id1, QStringLiteral("1 "));
    EXPECT_EQ(cat.at(3).id2, QStringLiteral(" ")) << "the line ends at position 33";
    EXPECT_EQ(cat.catLines, lines);
}

TEST(CatalogueParser, OnlyTheFirstFortyCharactersCount) {
    const BaseTable base = table({row(2, QStringLiteral("45DB081"))});
    Catalogue cat;
    const QString serial = device(QStringLiteral("AT24C02"), QStringLiteral("45DB081"));
    const QString longLine = device(QStringLiteral("AT45DB011"), QStringLiteral("45DB081"),
                                    QStringLiteral("8 1F    00      this text lies past 40"));
    ASSERT_GT(longLine.size(), 40);
    const QString header = QStringLiteral(":") + QString(39, u' ') + QStringLiteral("X");
    ASSERT_EQ(parseCatalogue({header, serial, longLine}, base, cat).entries, 2);
    EXPECT_EQ(cat.at(1).id0, QString()) << "a line ending after the code has empty ID texts";
    EXPECT_EQ(cat.at(1).id2, QString());
    EXPECT_EQ(cat.at(2).mult, QLatin1Char('8'));
    EXPECT_EQ(cat.at(2).id0, QStringLiteral("1F"));
    EXPECT_EQ(cat.at(2).id1, QStringLiteral("  "));
    EXPECT_EQ(cat.at(2).id2, QStringLiteral("00"));
    EXPECT_EQ(cat.makerNames[0], QString(20, u' '));
}

TEST(CatalogueParser, TheLastBaseTypeWithTheKeyWinsAndKeysAreExact) {
    const BaseTable base =
        table({row(0, QStringLiteral("27C256")), row(0, QStringLiteral("27c256")),
               row(0, QStringLiteral("27C256")), row(0, QStringLiteral(" 27C256"))});
    Catalogue cat;
    ASSERT_EQ(
        parseCatalogue({device(QStringLiteral("M27C256B"), QStringLiteral("27C256"))}, base, cat)
            .entries,
        1);
    EXPECT_EQ(cat.at(1).base, 3);
}

TEST(CatalogueParser, ExpansionsAddEveryPicAndAvrFamilyUnderTheCurrentMaker) {
    const BaseTable base = table(
        {row(0, QStringLiteral("27C512")), row(4, QStringLiteral("24C02")),
         row(5, QStringLiteral("PIC16F84")), row(6, QStringLiteral("ATmega8"), "93", "07"),
         row(5, QStringLiteral("PIC18F452")), row(6, QStringLiteral("ATtiny2313"), "91", "0A")});
    Catalogue cat;
    const CatalogueParseResult r = parseCatalogue(
        {QStringLiteral(":Atmel"), device(QStringLiteral("AT24C02"), QStringLiteral("24C02")),
         QStringLiteral("@Atmel"), QStringLiteral(":Microchip"), QStringLiteral("@PIC")},
        base, cat);
    ASSERT_EQ(r.entries, 5);
    EXPECT_TRUE(r.missingBases.isEmpty());
    const CatEntry& mega = cat.at(2);
    EXPECT_EQ(mega.name, QStringLiteral("ATmega8     "));
    EXPECT_EQ(mega.baseName, QStringLiteral("ATmega8        "));
    EXPECT_EQ(mega.mult, QLatin1Char('0'));
    EXPECT_EQ(mega.id0 + mega.id1 + mega.id2, QStringLiteral("1E9307"));
    EXPECT_EQ(mega.base, 4);
    EXPECT_EQ(mega.maker, 1);
    EXPECT_EQ(cat.at(3).base, 6);
    EXPECT_EQ(cat.at(3).id1, QStringLiteral("91"));
    const CatEntry& pic = cat.at(4);
    EXPECT_EQ(pic.base, 3);
    EXPECT_EQ(pic.maker, 2);
    EXPECT_EQ(pic.id0 + pic.id1 + pic.id2, QStringLiteral("   "));
    EXPECT_EQ(cat.at(5).base, 5);

    // Without class 5 rows "@PIC" adds nothing.
    const BaseTable noPic =
        table({row(0, QStringLiteral("27C512")), row(6, QStringLiteral("ATmega8"), "93", "07")});
    EXPECT_EQ(
        parseCatalogue({QStringLiteral(":Microchip"), QStringLiteral("@PIC")}, noPic, cat).entries,
        0);
}

TEST(CatalogueParser, MissingBaseTypesAreReportedOncePerName) {
    test::TestSession t;
    t.s.base = table({row(0, QStringLiteral("27C512"))});
    Catalogue cat;
    const CatalogueParseResult r =
        parseCatalogue({QStringLiteral(":X"), device(QStringLiteral("A"), QStringLiteral("29F040")),
                        device(QStringLiteral("B"), QStringLiteral("29F040")),
                        device(QStringLiteral("C"), QStringLiteral("27C512"))},
                       t.s.base, cat);
    EXPECT_EQ(r.missingBases,
              QStringList({QStringLiteral("29F040      "), QStringLiteral("29F040      ")}));
    EXPECT_EQ(cat.at(1).base, -1) << "the entry stays, without a base type";
    EXPECT_EQ(cat.at(3).base, 1);

    // At start-up against a table without the 29-series: one box per missing name.
    t.s.base = table({row(0, QStringLiteral("27C512"))});
    const int n = loadCatalogue(t.s);
    EXPECT_EQ(n, int(deviceLines().size()));
    EXPECT_EQ(t.fe.boxes.size(), kMissingBaseBoxes + 1);
    EXPECT_EQ(t.fe.boxes.first().size(), 12);
    EXPECT_TRUE(t.fe.boxes.last().contains(QString::number(209 - kMissingBaseBoxes)))
        << qPrintable(t.fe.boxes.last());
}

TEST(CatalogueParser, EntriesBeyondTheCapacityAreNotStored) {
    const BaseTable base =
        table({row(0, QStringLiteral("27C512")), row(6, QStringLiteral("ATmega8"), "93", "07")});
    QStringList lines = {QStringLiteral(":Many")};
    for (int i = 0; i < Catalogue::kMaxEntries; ++i)
        lines << device(QStringLiteral("P%1").arg(i), QStringLiteral("27C512"));
    lines << QStringLiteral("@A") << device(QStringLiteral("LAST"), QStringLiteral("27C512"));
    Catalogue cat;
    const CatalogueParseResult r = parseCatalogue(lines, base, cat);
    EXPECT_EQ(r.entries, Catalogue::kMaxEntries);
    EXPECT_EQ(r.dropped, 2);
    EXPECT_EQ(cat.at(Catalogue::kMaxEntries).name.trimmed(), QStringLiteral("P4095"));

    test::TestSession t;
    t.s.base = base;
    // The built-in data fits; the box appears only when something is left out.
    (void)loadCatalogue(t.s);
    for (const QString& box : t.fe.boxes)
        EXPECT_FALSE(box.contains(QStringLiteral("full")));
}
