#include "catalogue/SupportLists.h"

#include "app/TextFile.h"
#include "catalogue/Adapters.h"

#include <QDir>

namespace zelvor {

namespace {

const QString kTotal = QStringLiteral("Total device: ");
constexpr int kNamesPerLine = 5;
constexpr int kItemWidth = 30;
const QLatin1Char kPlus('+');
const QLatin1Char kBlank(' ');

bool zelvorBRefuses(const BaseRow& row) {
    const int adapter = row.baseAdapter();
    return row.baseClass == 1 || adapter == 7 || adapter == 8 || adapter == 9 || adapter == 18 ||
           adapter == 21;
}

QString blanks(int n) {
    return QString(n, kBlank);
}

// The adapter item as the model lists show it: padded to 30 characters, the fifth one
// (the colon of "PLCC: ...") replaced by a blank.
QString modelItem(const QString& item) {
    QString text = item.leftJustified(kItemWidth, kBlank);
    text[4] = kBlank;
    return text;
}

} // namespace

ModelMarks modelMarks(const Session& s, int baseIndex) {
    ModelMarks m;
    // A catalogue entry whose base type is not in prgplus.lst has no class, sub-type or
    // adapter: it is listed without marks and in no model list.
    if (!s.base.valid(baseIndex)) return m;
    const BaseRow& row = s.base.at(baseIndex);
    const int subType = row.col[26];
    m.a = kPlus;
    if (subType <= 3) {
        m.c = subType == 2 || subType == 3 ? kBlank : kPlus;
        m.b = zelvorBRefuses(row) ? kBlank : kPlus;
    }
    // Sub-type 4 (and any higher value, which no model is known to handle beyond A/AX):
    // listed for Zelvor-A/AX only.
    return m;
}

QStringList shortListLines(const Session& s) {
    QStringList lines;
    QString current;
    int lastMaker = -1;
    int onLine = 0;
    for (int i = 1; i <= s.cat.catCount(); ++i) {
        const CatEntry& e = s.cat.at(i);
        if (e.maker != lastMaker) {
            if (!current.isEmpty()) lines.append(current);
            current.clear();
            lines.append(blanks(8) + s.cat.makerName(e.maker));
            lastMaker = e.maker;
            onLine = 0;
        }
        current += e.name + blanks(5);
        if (++onLine == kNamesPerLine) {
            lines.append(current);
            current.clear();
            onLine = 0;
        }
    }
    lines.append(current);
    lines.append(kTotal + QString::number(s.cat.catCount()));
    return lines;
}

AdapterLists adapterListLines(const Session& s) {
    AdapterLists out;
    int lastMaker = -1;
    for (int i = 1; i <= s.cat.catCount(); ++i) {
        const CatEntry& e = s.cat.at(i);
        const QString maker = s.cat.makerName(e.maker);
        if (e.maker != lastMaker) {
            out.shadapt.append(blanks(9) + maker);
            lastMaker = e.maker;
        }
        const ModelMarks m = modelMarks(s, e.base);
        const QStringList items =
            s.base.valid(e.base) ? adapterItems(s, s.base.at(e.base).baseAdapter()) : QStringList();
        const QString marks =
            QString(m.a) + blanks(4) + QString(m.c) + blanks(5) + QString(m.b) + blanks(4);
        const int rows = items.isEmpty() ? 1 : int(items.size());
        for (int r = 0; r < rows; ++r) {
            const QString item = items.isEmpty() ? QString() : items.at(r);
            out.shadapt.append((r == 0 ? e.name + blanks(6) : blanks(18)) + marks + item);
            if (!s.base.valid(e.base)) continue;
            const QString line = maker + kBlank + e.name + kBlank + modelItem(item);
            if (m.a == kPlus) out.modelA.append(line + QStringLiteral(" Zelvor-A,Zelvor-AUSB"));
            if (m.b == kPlus) out.modelB.append(line + QStringLiteral(" Zelvor-B,Zelvor-BUSB"));
            if (m.c == kPlus) out.modelC.append(line + QStringLiteral(" Zelvor-C"));
        }
    }
    const auto close = [](QStringList& list, qsizetype total) {
        list.append(QString());
        list.append(kTotal + QString::number(total));
    };
    const qsizetype nA = out.modelA.size(), nB = out.modelB.size(), nC = out.modelC.size();
    close(out.shadapt, s.cat.catCount());
    close(out.modelA, nA);
    close(out.modelB, nB);
    close(out.modelC, nC);
    return out;
}

int PrintListSh(const Session& s, const QString& dir) {
    return writeTextLines(QDir(dir).filePath(QStringLiteral("shlist.lst")), shortListLines(s))
               ? kListsWritten
               : kListsWriteFailed;
}

int PrintListAd(const Session& s, const QString& dir) {
    const AdapterLists lists = adapterListLines(s);
    const QDir d(dir);
    const std::pair<const char*, const QStringList*> files[] = {
        {"shadapt.lst", &lists.shadapt},
        {"ZelvorA.lst", &lists.modelA},
        {"ZelvorB.lst", &lists.modelB},
        {"ZelvorC.lst", &lists.modelC},
    };
    for (const auto& [name, lines] : files)
        if (!writeTextLines(d.filePath(QString::fromLatin1(name)), *lines))
            return kListsWriteFailed;
    return kListsWritten;
}

} // namespace zelvor
