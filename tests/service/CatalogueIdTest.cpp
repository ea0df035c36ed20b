// Identification over the whole built-in catalogue: every entry that carries codes is asked
// for them as its chip would answer, and the lookup must name it (or the first entry with the
// same codes). The codes shared by parts of different sizes and the entries the
// identification cannot name must be exactly the cases listed in data/SOURCES.md.

#include "EmulatorFixture.h"
#include "QtTestApp.h"
#include "ScriptedFrontEnd.h"

#include "app/Clock.h"
#include "app/Session.h"
#include "buffer/BufferInit.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/CatalogueParser.h"
#include "catalogue/ChipParams.h"
#include "link/Port.h"
#include "protect/ConfigCommands.h"
#include "service/ReadId.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace zelvor::test {
namespace {

// Listed cases: the entries' codes as stored ("1F    00" read as "1F 00") to part names.
using CaseList = std::map<QString, std::set<QString>>;

struct LiveSession {
    ScriptedFrontEnd fe;
    SystemClock clock;
    Session s{fe, clock};
};

void loadShipped(Session& s) {
    QString why;
    ASSERT_EQ(loadBaseTable(s, QStringLiteral(ZELVOR_SOURCE_DIR "/data"), why), 0)
        << why.toStdString();
    ASSERT_GT(loadCatalogue(s), 0);
}

void selectEntry(Session& s, int index) {
    s.settings.romIdx = s.cat.at(index).base;
    s.settings.byMaker = 1;
    s.settings.catIdx = index;
    restoreChip(s);
}

QString storedCodes(const CatEntry& e) {
    return QStringList{e.id0, e.id1, e.id2}.join(QLatin1Char(' ')).simplified();
}

bool carriesCodes(const CatEntry& e) {
    static const QRegularExpression hex2(QStringLiteral("^[0-9A-F]{2}$"));
    return hex2.match(e.id0).hasMatch();
}

// The lookup can only match two or three single-byte reads.
bool lookupCanMatch(const IdPlan& plan) {
    return (plan.count() == 2 || plan.count() == 3) && !plan.twoByteReads && !plan.wordPairs;
}

// What the chip answers to each read: its codes in reading order; false when the entry holds
// fewer codes than the chip is asked for (or a blank one among them).
bool chipAnswer(const CatEntry& e, const IdPlan& plan, std::vector<std::array<quint8, 2>>& out) {
    const QString codes[3] = {e.id0, e.id1, e.id2};
    out.clear();
    bool all = true;
    for (int i = 0; i < plan.count(); ++i) {
        bool ok = false;
        const int v = i < 3 ? codes[i].toInt(&ok, 16) : 0;
        all = all && ok && codes[i].size() == 2;
        out.push_back({quint8(v), 0});
    }
    return all;
}

// The size in bytes of the chip the entry names (16-bit parts count words).
qint64 chipBytes(const RomParams& p) {
    return qint64(p.romLen) * (p.dataWidth > 8 ? p.dataWidth / 8 : 1);
}

// The list under `heading` in data/SOURCES.md: lines "- `CODES`: PART, PART".
CaseList listedCases(const QString& heading) {
    QFile f(QStringLiteral(ZELVOR_SOURCE_DIR "/data/SOURCES.md"));
    CaseList out;
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return out;
    static const QRegularExpression item(QStringLiteral("^- `([^`]+)`: (.+)$"));
    bool inside = false;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("## "))) inside = line.mid(3) == heading;
        const QRegularExpressionMatch m = item.match(line);
        if (!inside || !m.hasMatch()) continue;
        for (const QString& name : m.captured(2).split(QStringLiteral(", ")))
            out[m.captured(1)].insert(name);
    }
    return out;
}

std::string asList(const CaseList& cases) {
    std::string out;
    for (const auto& [codes, names] : cases)
        out += "- `" + codes.toStdString() + "`: " +
               QStringList(names.begin(), names.end()).join(QStringLiteral(", ")).toStdString() +
               "\n";
    return out;
}

// An entry's codes as the lookup compares them for `idCount` reads.
QString candidate(const CatEntry& e, int idCount) {
    const QString sp = QStringLiteral(" ");
    return idCount == 3 ? e.id0 + sp + e.id1 + sp + e.id2 + sp : e.id0 + sp + e.id1 + sp;
}

TEST(ReadIdCatalogue, EveryEntryWithCodesIsNamedByItsAnswer) {
    ensureQtApp();
    LiveSession live;
    Session& s = live.s;
    ASSERT_NO_FATAL_FAILURE(loadShipped(s));

    // The size of every chip with codes, and the answer each one gives.
    std::map<int, qint64> bytes;
    std::vector<std::pair<int, IdPlan>> probes;
    CaseList cannotName, shared;
    int manyReads = 0;
    for (int i = 1; i <= s.cat.catCount(); ++i) {
        const CatEntry& e = s.cat.at(i);
        if (!carriesCodes(e)) continue;
        SCOPED_TRACE(e.name.toStdString());
        selectEntry(s, i);
        EXPECT_EQ(s.rom.canReadId, 1) << "a chip with codes can be asked for them";
        bytes[i] = chipBytes(s.rom);
        const IdPlan plan = idPlan(s);
        std::vector<std::array<quint8, 2>> answer;
        const bool complete = chipAnswer(e, plan, answer);
        if (!lookupCanMatch(plan)) {
            // Four reads, two-byte reads and word pairs always end with the codes listed.
            EXPECT_EQ(findCatalogueEntry(s.cat, plan.count(), idText(plan, answer)), 0);
            ++manyReads;
        } else if (!complete) {
            cannotName[storedCodes(e)].insert(e.name.trimmed());
        } else {
            probes.push_back({i, plan});
        }
    }
    EXPECT_GT(probes.size(), 900u);
    EXPECT_GT(manyReads, 0);

    // The lookup names the first entry whose codes make the answer, the entry itself among
    // them; the answers that parts of different sizes share are listed.
    for (const auto& [i, plan] : probes) {
        const CatEntry& e = s.cat.at(i);
        SCOPED_TRACE(e.name.toStdString());
        std::vector<std::array<quint8, 2>> answer;
        (void)chipAnswer(e, plan, answer);
        const QString text = idText(plan, answer);
        std::vector<int> matches;
        std::set<qint64> sizes;
        for (const auto& [j, size] : bytes) {
            if (candidate(s.cat.at(j), plan.count()) != text) continue;
            matches.push_back(j);
            sizes.insert(size);
        }
        ASSERT_FALSE(matches.empty());
        EXPECT_TRUE(std::find(matches.begin(), matches.end(), i) != matches.end());
        EXPECT_EQ(findCatalogueEntry(s.cat, plan.count(), text), matches.front());
        if (sizes.size() < 2) continue;
        for (int j : matches)
            shared[text.trimmed()].insert(s.cat.at(j).name.trimmed());
    }
    EXPECT_EQ(shared, listedCases(QStringLiteral(
                          "Identification codes shared by parts of different sizes")))
        << "as found:\n"
        << asList(shared);
    EXPECT_EQ(cannotName, listedCases(QStringLiteral("Entries the identification cannot name")))
        << "as found:\n"
        << asList(cannotName);
}

// The same answers through the virtual programmer, one entry of each algorithm: the reads sent
// and the bytes returned make the text the lookup needs.
class ReadIdCatalogueLink : public EmulatorFixture {
  protected:
    void SetUp() override {
        ensureQtApp();
        ASSERT_NO_FATAL_FAILURE(loadShipped(s));
    }
    LiveSession live;
    Session& s = live.s;
};

TEST_F(ReadIdCatalogueLink, OneEntryOfEachAlgorithmIsNamedOverTheLink) {
    std::set<int> algorithms;
    for (int i = 1; i <= s.cat.catCount(); ++i) {
        const CatEntry& e = s.cat.at(i);
        if (!carriesCodes(e)) continue;
        selectEntry(s, i);
        const IdPlan plan = idPlan(s);
        std::vector<std::array<quint8, 2>> answer;
        // The 16-bit EPROMs (19, 20) and the byte/word flash (36, 37) are left out: the
        // virtual programmer does not answer their identification reads as the chips do.
        const int alg = s.rom.algCode;
        if (!lookupCanMatch(plan) || !chipAnswer(e, plan, answer) || alg == 19 || alg == 20 ||
            alg == 36 || alg == 37 || !algorithms.insert(alg).second)
            continue;
        SCOPED_TRACE(e.name.toStdString());
        std::string id;
        for (const auto& b : answer)
            id += QString::asprintf("%02X ", b[0]).toStdString();
        const RomParams& p = s.rom;
        ASSERT_NO_FATAL_FAILURE(startEmulator({{"alg", std::to_string(p.algCode)},
                                               {"class", std::to_string(p.devClass)},
                                               {"width", std::to_string(p.dataWidth)},
                                               {"variant", std::to_string(p.variant)},
                                               {"size", std::to_string(p.romLen)},
                                               {"id", id}}));
        s.portOverride = QString::fromStdString(slavePath());
        allocLinkBuffers(s);
        Inc_data(s);
        setupConfigPanels(s);
        ASSERT_EQ(Open_com(s, 0), 0);
        InitMem(s);
        int found = 0;
        QString text;
        EXPECT_EQ(ReadIdClick(s, &found, &text), 0);
        EXPECT_EQ(text, idText(plan, answer));
        EXPECT_GT(found, 0);
        if (found > 0)
            EXPECT_EQ(storedCodes(s.cat.at(found)).left(text.trimmed().size()), text.trimmed());
        (void)Close_com(s);
        TearDown();
    }
    EXPECT_GT(algorithms.size(), 20u);
}

} // namespace
} // namespace zelvor::test
