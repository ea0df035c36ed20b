#pragma once
// Small base-type tables for the catalogue tests: rows written as prgplus.lst lines and a
// session holding them.

#include "TestSession.h"
#include "catalogue/BaseTableLoader.h"
#include "app/Transport.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace zelvor::test {

// One prgplus.lst row, column by column.
struct RowSpec {
    int cls = 0;
    int alg = 3;
    int size = 64; // column 3, in units of 1024
    int vpp = 0;
    int pulse = 0;
    int vcc = 0;
    int width = 8;
    int canWrite = 1, canErase = 0, canCompare = 1, canLock = 0, canTestRam = 0;
    int canSetVpp = 1, canRead = 1, canBlank = 1, canReadId = 0;
    int adapter = 0, slow = 0, sdp = 0, bblSet = 0, opt21 = 0, verify = 0, bblRead = 0;
    int reserved = 0, variant = 0, subType = 0;
    QString name = QStringLiteral("27C512");
    QString sigA = {}, sigB = {}; // class 6
};

inline QString rowLine(const RowSpec& r) {
    const int v[26] = {r.cls,       r.alg,      r.size,     r.vpp,        r.pulse,   r.vcc,
                       r.width,     r.canWrite, r.canErase, r.canCompare, r.canLock, r.canTestRam,
                       r.canSetVpp, r.canRead,  r.canBlank, r.canReadId,  r.adapter, r.slow,
                       r.sdp,       r.bblSet,   r.opt21,    r.verify,     r.bblRead, r.reserved,
                       r.variant,   r.subType};
    QStringList nums;
    for (int x : v)
        nums << QString::number(x);
    QString line = nums.join(u' ') + u' ' + r.name.leftJustified(15);
    if (!r.sigA.isEmpty()) line += r.sigA + u' ' + r.sigB;
    return line;
}

inline BaseRow parsedRow(const RowSpec& r) {
    BaseTable t;
    const BaseLoadResult res = parseBaseTable({rowLine(r)}, t);
    EXPECT_EQ(res.code, kBaseLoaded);
    return t.rows.empty() ? BaseRow{} : t.rows.front();
}

// A session whose base table holds `rows` (base type i = rows[i - 1]).
struct ChipSession : TestSession {
    explicit ChipSession(const std::vector<RowSpec>& rows) {
        QStringList lines;
        for (const RowSpec& r : rows)
            lines << rowLine(r);
        const BaseLoadResult res = parseBaseTable(lines, s.base);
        EXPECT_EQ(res.code, kBaseLoaded);
        s.settings.english = 1;
    }
    void addEntry(const QString& part, int base, char mult) {
        CatEntry e;
        e.name = part.leftJustified(12);
        e.baseName = s.base.at(base).key();
        e.mult = QLatin1Char(mult);
        e.base = base;
        e.maker = 1;
        s.cat.entries.push_back(e);
    }
};

// A programmer at the end of a transport: answers each read with `answer` bytes (none when
// empty) and records every write.
class FakeProgrammer : public Transport {
  public:
    std::vector<quint8> answer{0x55};
    std::vector<std::vector<quint8>> written;
    bool openOk = true;
    int opens = 0;

    bool open(const QString&, qint32 baud) override {
        ++opens;
        baud_ = baud;
        open_ = openOk;
        return openOk;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    qint32 baudRate() const override { return baud_; }
    bool write(const quint8* data, int count) override {
        written.emplace_back(data, data + count);
        return true;
    }
    int read(quint8* dest, int count, int, int) override {
        int n = 0;
        for (; n < count && n < int(answer.size()); ++n)
            dest[n] = answer[size_t(n)];
        return n;
    }

  private:
    bool open_ = false;
    qint32 baud_ = 0;
};

} // namespace zelvor::test
