#include "ShippedTable.h"

#include "catalogue/BaseTableLoader.h"

#include <QString>

namespace zelvor::test {

std::vector<int> oneRowPerAlgorithm() {
    BaseTable table;
    (void)loadBaseTable(QStringLiteral(ZELVOR_SOURCE_DIR "/data/prgplus.lst"), table);
    std::vector<int> out;
    std::vector<bool> seen(64, false);
    for (int i = 1; i <= table.baseCount(); ++i) {
        const int alg = table.at(i).col[2];
        if (alg < 64 && !seen[size_t(alg)]) {
            seen[size_t(alg)] = true;
            out.push_back(i);
        }
    }
    return out;
}

} // namespace zelvor::test
