#include "ChipFixtures.h"
#include "TestDir.h"

#include "catalogue/ChipParams.h"
#include "catalogue/RomParamsText.h"

#include <QFile>
#include <QProcess>
#include <set>

#include <memory>

using namespace zelvor;
using namespace zelvor::test;

namespace {

#ifdef ZELVOR_CLI_PATH
const QString kCli = QStringLiteral(ZELVOR_CLI_PATH);
#else
const QString kCli;
#endif

struct CliRun {
    int exitCode = -1;
    QStringList out;
    QString err;
};

CliRun info(const QString& dir, const QString& chip) {
    QProcess p;
    p.start(kCli, {QStringLiteral("--dir"), dir, QStringLiteral("info"), chip});
    CliRun r;
    if (!p.waitForFinished(30000)) return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

bool cliBuilt() {
    return !kCli.isEmpty() && QFile::exists(kCli);
}

} // namespace

// A row of every class, algorithm and variant of the shipped table is printed with every
// field, in order, as the program derives it (the in-process test covers every row).
TEST(InfoVerb, ShippedRowsPrintTheirParameters) {
    if (!cliBuilt()) GTEST_SKIP() << "zelvor-cli not built";
    TestDir dir;
    dir.copyData(QStringLiteral("prgplus.lst"));
    dir.copyData(QStringLiteral("prgadapt.lst"));
    TestSession t;
    ASSERT_EQ(loadBaseTable(dir.file(QStringLiteral("prgplus.lst")), t.s.base).code, kBaseLoaded);

    struct Pending {
        QString name;
        QStringList expected;
        std::unique_ptr<QProcess> proc;
    };
    std::vector<Pending> runs;
    std::set<int> kinds;
    for (int i = 1; i <= t.s.base.baseCount(); ++i) {
        const BaseRow& row = t.s.base.at(i);
        if (!kinds.insert(row.baseClass << 16 | row.col[2] << 8 | row.col[25]).second) continue;
        Pending p;
        p.name = row.key().trimmed();
        t.s.settings.romIdx = findBaseByName(t.s.base, p.name);
        t.s.settings.byMaker = 0;
        restoreChip(t.s);
        for (const auto& [field, value] : romParamsFields(t.s.rom))
            p.expected << field + u'=' + value;
        p.expected << QStringLiteral("lenBl=%1").arg(pieceLength(t.s.rom, 0));
        runs.push_back(std::move(p));
    }
    ASSERT_GT(runs.size(), 20u);

    // A few at a time: the tool's start-up is most of the cost.
    constexpr size_t kParallel = 4;
    for (size_t first = 0; first < runs.size(); first += kParallel) {
        const size_t last = std::min(runs.size(), first + kParallel);
        for (size_t k = first; k < last; ++k) {
            Pending& p = runs[k];
            p.proc = std::make_unique<QProcess>();
            // Lower case works as well as the name as written.
            const QString chip = QStringLiteral("base:") + (k % 2 ? p.name : p.name.toLower());
            p.proc->start(kCli,
                          {QStringLiteral("--dir"), dir.path(), QStringLiteral("info"), chip});
        }
        for (size_t k = first; k < last; ++k) {
            Pending& p = runs[k];
            ASSERT_TRUE(p.proc->waitForFinished(30000)) << p.name.toStdString();
            EXPECT_EQ(p.proc->exitCode(), 0)
                << p.name.toStdString() << p.proc->readAllStandardError().toStdString();
            const QStringList out =
                QString::fromUtf8(p.proc->readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
            EXPECT_EQ(out, p.expected) << p.name.toStdString();
            p.proc.reset();
        }
    }
}

TEST(InfoVerb, UnknownNamesAndBadArgumentsAreRefused) {
    if (!cliBuilt()) GTEST_SKIP() << "zelvor-cli not built";
    TestDir dir;
    dir.copyData(QStringLiteral("prgplus.lst"));
    CliRun r = info(dir.path(), QStringLiteral("base:NO-SUCH-CHIP"));
    EXPECT_EQ(r.exitCode, 2); // an unknown chip is a usage error
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("NO-SUCH-CHIP")));
    r = info(dir.path(), QStringLiteral("base:"));
    EXPECT_EQ(r.exitCode, 2);

    TestDir empty;
    r = info(empty.path(), QStringLiteral("base:27C512"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("prgplus.lst"))) << r.err.toStdString();
}
