// Checks the shipped data files: the base-type table prgplus.lst, the adapter list and the PIC
// and AVR configuration lists. The table is read by the program's own loader and every row is
// made the current chip as at start-up; the list files are read here directly.

#include "TestSession.h"
#include "catalogue/BaseTableLoader.h"
#include "catalogue/ChipParams.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kData = ZELVOR_SOURCE_DIR "/data/";

std::string readBytes(const std::string& name) {
    std::ifstream in(kData + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines of a CR LF text file; `badEnds` counts lines not ended by CR LF.
std::vector<std::string> crlfLines(const std::string& bytes, int& badEnds) {
    std::vector<std::string> lines;
    badEnds = 0;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t lf = bytes.find('\n', from);
        if (lf == std::string::npos) {
            lines.push_back(bytes.substr(from));
            ++badEnds;
            break;
        }
        std::string line = bytes.substr(from, lf - from);
        if (line.empty() || line.back() != '\r')
            ++badEnds;
        else
            line.pop_back();
        lines.push_back(line);
        from = lf + 1;
    }
    return lines;
}

std::vector<std::string> fileLines(const std::string& name) {
    int bad = 0;
    return crlfLines(readBytes(name), bad);
}

// One base type as the loader stored it, with what the program derives from it.
struct Row {
    int line = 0;               // 1-based line in the file
    std::array<long, 27> col{}; // col[1]..col[26]; col[3] is the size column as written
    std::string name;           // baseName, 15 characters when the row is well padded
    std::string sigA, sigB;     // class 6 only
    long long romLen = 0;       // as the program derives it, chosen by base type
    long long piece = 0;        // transfer piece of the main area, as the program derives it

    long cls() const { return col[1]; }
    long alg() const { return col[2]; }
    long size() const { return col[3] * 1024; }
    long width() const { return col[7]; }
    long variant() const { return col[25]; }
    std::string key() const { return name.substr(0, std::min<std::size_t>(12, name.size())); }
    std::string trimmedName() const {
        std::string n = name;
        while (!n.empty() && n.back() == ' ')
            n.pop_back();
        return n;
    }
};

struct Table {
    std::vector<Row> rows;
    int loadCode = -1;
    int droppedRows = 0;
    int badEnds = 0;
    bool ascii = true;
};

Table readTable() {
    Table t;
    const std::string bytes = readBytes("prgplus.lst");
    for (unsigned char c : bytes)
        if (c >= 0x80) t.ascii = false;
    (void)crlfLines(bytes, t.badEnds);

    zelvor::test::TestSession ts;
    const zelvor::BaseLoadResult r =
        zelvor::loadBaseTable(QString::fromStdString(kData + "prgplus.lst"), ts.s.base);
    t.loadCode = r.code;
    t.droppedRows = r.droppedRows;
    for (int i = 1; i <= ts.s.base.baseCount(); ++i) {
        const zelvor::BaseRow& b = ts.s.base.at(i);
        Row row;
        row.line = b.line;
        for (int c = 1; c <= 26; ++c)
            row.col[std::size_t(c)] = b.col[std::size_t(c)];
        row.col[1] = b.baseClass;
        row.col[3] = b.size / 1024;
        row.name = b.baseName.toStdString();
        row.sigA = b.baseSigA.toStdString();
        row.sigB = b.baseSigB.toStdString();
        ts.s.settings.romIdx = i;
        ts.s.settings.byMaker = 0;
        zelvor::restoreChip(ts.s);
        row.romLen = ts.s.rom.romLen;
        row.piece = zelvor::pieceLength(ts.s.rom, 0);
        t.rows.push_back(row);
    }
    return t;
}

const Table& table() {
    static const Table t = readTable();
    return t;
}

// The text part of every row line as written (everything after the 26th number), keyed by line.
std::map<int, std::string> rawTextParts() {
    std::map<int, std::string> parts;
    const auto lines = fileLines("prgplus.lst");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::istringstream in(lines[i]);
        long first = 0;
        if (!(in >> first) || first >= 10) continue;
        std::string tok;
        for (int c = 2; c <= 26 && in >> tok; ++c) {
        }
        parts[int(i) + 1] = lines[i].substr(std::size_t(in.tellg()));
    }
    return parts;
}

bool in(long v, std::initializer_list<long> set) {
    return std::find(set.begin(), set.end(), v) != set.end();
}

// Algorithms whose columns 4-6 are options rather than voltages.
bool forcedA(long a) {
    return in(a, {15, 16, 30, 36, 37, 46, 47, 48, 49, 50, 51, 57, 60, 61, 62});
}
bool forcedB(long a) {
    return in(a, {17, 38});
}

long optA(const Row& r) {
    return (forcedA(r.alg()) || forcedB(r.alg())) ? r.col[4] : 0;
}
long optC(const Row& r) {
    if (r.alg() == 30) return r.col[19];
    return (forcedA(r.alg()) || forcedB(r.alg())) ? r.col[6] : 0;
}

// Number of addressable units of the main memory, chosen by base type (size divisor 1): the
// rule the program follows, kept here to check the program's derivation against.
long long expectedRomLen(const Row& r) {
    const long long s = r.size();
    if (r.cls() == 4) return r.width() ? s / r.width() : 0;
    if (in(r.alg(), {57, 60, 61}) || (r.alg() == 62 && r.variant() == 0)) {
        if (optC(r) == 3) return s / 2048 * 2112;
        if (optC(r) == 1) return s / 512 * 528;
        return s / 256 * 264;
    }
    if ((r.cls() == 5 && r.alg() == 27) || r.cls() == 6) return s / 2;
    return s;
}

// Piece length of a write, or 0 when the row leaves it undefined.
int lenBl(const Row& r, long long len) {
    if (r.cls() == 4) {
        static const int byCode[] = {80, 4, 8, 16, 32, 64, 128};
        return (r.col[5] >= 0 && r.col[5] <= 6) ? byCode[r.col[5]] : 0;
    }
    if (r.alg() == 16) return r.variant() == 1 ? 128 : 256;
    if (in(r.alg(), {48, 49, 50, 51})) return 128;
    if (in(r.alg(), {57, 60, 61}) || (r.alg() == 62 && r.variant() == 0)) return 132;
    if (r.alg() == 62) return 128;
    if (r.alg() == 30) return r.variant() == 1 ? 160 : 64;
    if (r.alg() == 46) return optC(r) == 1 ? 128 : 32;
    if (r.alg() == 0) return 80;
    if ((in(r.alg(), {45, 26}) && len == 1024 && r.variant() == 0) || in(r.alg(), {52, 55}))
        return 32;
    if (r.alg() == 26 || (r.alg() == 41 && r.variant() == 1) || (r.alg() == 45 && r.variant() == 0))
        return 64;
    if (r.alg() == 43) return 8;
    if (r.alg() == 10 && r.col[26] == 3) return 32;
    return 160;
}

// Chips whose configuration is edited on the fuse panel.
bool fuseChip(const Row& r) {
    const long a = r.alg();
    return a == 45 || (a == 41 && r.variant() == 1) || (a == 28 && r.cls() == 1) ||
           in(a, {42, 52, 55, 26}) || (a == 10 && r.col[26] == 3);
}

// The 210 base-type names the built-in catalogue refers to.
const char* const kCatalogueNames[] = {
    "24C01",      "24C01A",     "24C02",      "24C02A",     "24C04",      "24C04A",
    "24C08",      "24C1024",    "24C128",     "24C16",      "24C256",     "24C32",
    "24C32A",     "24C512",     "24C64",      "24C65",      "25C020",     "25C040",
    "25C080",     "25C128",     "25C160",     "25C256",     "25C320",     "25C512",
    "25C640",     "25F128",     "25F256",     "25F320",     "25F40",      "25F640",
    "25LV010",    "25VF080",    "25VF320",    "25VF512",    "27128A",     "2716",
    "27256",      "2732A",      "27512",      "2764A",      "27C010",     "27C020",
    "27C040",     "27C080",     "27C1024",    "27C128",     "27C2048",    "27C256",
    "27C4096",    "27C512",     "27C64",      "27SF010",    "27SF512",    "28C010",
    "28C040",     "28C256",     "28C256B",    "28C64",      "28C64B",     "28F001BX-B",
    "28F001BX-T", "28F002BX-B", "28F002BX-T", "28F004BX-B", "28F004BX-T", "28F008BX-B",
    "28F008BX-T", "28F010",     "28F020",     "28F1000",    "28F102",     "28F2000",
    "28F200BX-B", "28F200BX-T", "28F256",     "28F400BX-B", "28F400BX-T", "28F512",
    "28F640Bx16", "28F640Tx16", "28F800BX-B", "28F800BX-T", "28SF040",    "29C010",
    "29C020",     "29C040",     "29C256",     "29C512",     "29EE010",    "29EE011",
    "29EE020",    "29EE512",    "29F001",     "29F001N",    "29F002",     "29F002N",
    "29F004",     "29F008",     "29F010",     "29F010B",    "29F020",     "29F040",
    "29F040B",    "29F100",     "29F160",     "29F200",     "29F320",     "29F400",
    "29F512",     "29F640x16",  "29F800",     "29FW160",    "29FW320",    "29FW640x16",
    "29FW800",    "29GL256x16", "39F160",     "39F800",     "39SF010",    "39SF020",
    "39SF040",    "39SF512",    "39V080",     "45DB081",    "45DB161",    "49F001",
    "49F001N",    "49F002",     "49F002N",    "49F008",     "49F010",     "49F016",
    "49F020",     "49F040",     "49F160",     "49F4096",    "49LF002",    "49LF004",
    "49LF008",    "573RF2",     "573RF4",     "6116",       "62C64",      "8751BH",
    "8751H",      "8752BH",     "87C51",      "87C51FA",    "87C51FB",    "87C51FC",
    "87C52",      "87C54",      "87C58",      "93C46",      "93C46B",     "93C56",
    "93C56B",     "93C66",      "93C66B",     "93C76",      "93C86",      "AT89C1051",
    "AT89C2051",  "AT89C4051",  "AT89C51",    "AT89C51RC",  "AT89C52",    "AT89C55",
    "AT89C55WD",  "AT89S51",    "AT89S52",    "AT89S53",    "AT89S8252",  "K9F1208",
    "K9F1G08",    "K9F4008",    "K9F5608",    "K9F6408",    "MPC89E515",  "P89C58X2",
    "P89C60X2",   "PIC16F627",  "PIC16F628",  "PIC16F83",   "PIC16F84",   "PIC16F870",
    "PIC16F871",  "PIC16F872",  "PIC16F873",  "PIC16F873A", "PIC16F874",  "PIC16F874A",
    "PIC16F876",  "PIC16F876A", "PIC16F877",  "PIC16F877A", "W27C010",    "W27C020",
    "W27C040",    "W27C256",    "W27C512",    "W29C020",    "W78E51",     "W78E516",
    "W78E52",     "W78E54",     "W78E58",     "W78E58B",    "i82802AB",   "i82802AC",
};

std::string where(const Row& r) {
    return "line " + std::to_string(r.line) + " (" + r.trimmedName() + ")";
}

} // namespace

TEST(BaseTableData, FileIsReadableCrLfText) {
    const Table& t = table();
    EXPECT_TRUE(t.ascii);
    EXPECT_EQ(t.badEnds, 0) << "every line must end in CR LF";
    EXPECT_EQ(t.loadCode, zelvor::kBaseLoaded);
    EXPECT_EQ(t.droppedRows, 0);
    ASSERT_FALSE(t.rows.empty());
}

TEST(BaseTableData, RowCountAndClassOrder) {
    const auto& rows = table().rows;
    EXPECT_LE(rows.size(), 400u);
    // Classes 0..4 first, ascending, each present; then 5, then 6.
    std::vector<long> seen;
    for (const Row& r : rows) {
        ASSERT_LE(r.cls(), 6) << where(r);
        if (seen.empty() || seen.back() != r.cls()) seen.push_back(r.cls());
    }
    EXPECT_EQ(seen, (std::vector<long>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(BaseTableData, NamesAndSignaturesSitAtTheirPositions) {
    const auto raw = rawTextParts();
    std::map<std::string, int> keys;
    for (const Row& r : table().rows) {
        ASSERT_EQ(r.name.size(), 15u) << where(r) << ": the name is padded to 15 characters";
        EXPECT_NE(r.name[0], ' ') << where(r) << ": exactly one blank before the name";
        EXPECT_EQ(r.name.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-/ "),
                  std::string::npos)
            << where(r);
        EXPECT_TRUE(keys.emplace(r.key(), r.line).second) << where(r) << ": key used twice";
        ASSERT_TRUE(raw.count(r.line)) << where(r);
        const std::string& text = raw.at(r.line);
        if (r.cls() == 6) {
            // The expansion shows the first 12 characters: the whole name must fit.
            EXPECT_LE(r.trimmedName().size(), 12u) << where(r);
            EXPECT_EQ(text.size(), 21u) << where(r);
            EXPECT_EQ(text.substr(18, 1), " ") << where(r);
            for (const std::string& sig : {r.sigA, r.sigB}) {
                ASSERT_EQ(sig.size(), 2u) << where(r);
                for (char c : sig)
                    EXPECT_TRUE(std::isdigit((unsigned char)c) || (c >= 'A' && c <= 'F'))
                        << where(r) << ": signature " << sig;
            }
        } else {
            EXPECT_EQ(text.size(), 16u) << where(r) << ": nothing after the name";
        }
    }
}

TEST(BaseTableData, EveryCatalogueNameIsAnExactKey) {
    std::map<std::string, const Row*> keys;
    for (const Row& r : table().rows)
        keys[r.key()] = &r;
    int found = 0;
    for (const char* n : kCatalogueNames) {
        std::string key(n);
        key.resize(12, ' ');
        const auto it = keys.find(key);
        EXPECT_NE(it, keys.end()) << "missing base type \"" << n << '"';
        if (it != keys.end()) {
            ++found;
            // PIC parts are rows of their own class; everything else is chosen by type.
            if (std::string(n).rfind("PIC", 0) == 0)
                EXPECT_EQ(it->second->cls(), 5) << n;
            else
                EXPECT_LT(it->second->cls(), 5) << n;
        }
    }
    EXPECT_EQ(found, 210);
    EXPECT_EQ(std::size(kCatalogueNames), 210u);
}

TEST(BaseTableData, AlgorithmsBelongToTheirClass) {
    const std::map<long, std::set<long>> allowed{
        {0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 19, 20}},
        {1, {10, 18, 28, 32, 41, 44, 59}},
        {2, {11, 12, 15, 16, 17, 24, 30, 33, 34, 36, 37, 38,
             46, 47, 48, 49, 50, 51, 57, 58, 60, 61, 62}},
        {3, {13, 29}},
        {4, {21, 22, 23}},
        {5, {27, 43}},
        {6, {26, 28, 42, 45, 52, 55}},
    };
    for (const Row& r : table().rows) {
        EXPECT_TRUE(allowed.at(r.cls()).count(r.alg())) << where(r) << ": algorithm " << r.alg();
        EXPECT_NE(r.alg(), 63) << where(r) << ": 63 is the programmer's own firmware";
    }
}

TEST(BaseTableData, WidthsAgreeWithTheWordAlgorithms) {
    for (const Row& r : table().rows) {
        const long a = r.alg(), w = r.width();
        if (in(a, {19, 20, 24, 38, 47, 58}))
            EXPECT_EQ(w, 16) << where(r);
        else if (a == 27)
            EXPECT_TRUE(w > 8 && w <= 16) << where(r);
        else if (r.cls() == 6)
            EXPECT_EQ(w, 16) << where(r) << ": AVR memory is counted in words";
        else if (in(a, {23, 26, 28, 41, 42, 45, 52, 55}))
            EXPECT_TRUE(w == 8 || w == 16) << where(r);
        else
            EXPECT_EQ(w, 8) << where(r);
    }
}

TEST(BaseTableData, EveryRowDerivesItsParameters) {
    for (const Row& r : table().rows) {
        const long long len = r.romLen;
        EXPECT_GT(len, 0) << where(r);
        EXPECT_EQ(len, expectedRomLen(r)) << where(r);
        EXPECT_GT(lenBl(r, len), 0) << where(r) << ": piece length undefined";
        EXPECT_EQ(r.piece, lenBl(r, len)) << where(r);
        for (int c = 8; c <= 23; ++c)
            if (c != 17) {
                EXPECT_LE(r.col[std::size_t(c)], 1) << where(r) << " flag column " << c;
            }
        EXPECT_LE(r.col[17], 17) << where(r) << ": adapter code";
        EXPECT_LE(r.variant(), 1) << where(r);
        EXPECT_LE(r.col[26], 1) << where(r) << ": no sub-type that a model refuses";
        if (r.cls() < 4 && !forcedA(r.alg()) && !forcedB(r.alg())) {
            // Voltage and algorithm choices index the texts of the parameters dialog.
            EXPECT_LE(r.col[4], 3) << where(r);
            EXPECT_LE(r.col[5], 3) << where(r);
            EXPECT_LE(r.col[6], 1) << where(r);
        } else {
            EXPECT_EQ(r.col[13], 0) << where(r) << ": columns 4-6 are no voltages here";
        }
        if (r.cls() == 3) {
            EXPECT_EQ(r.col[12], 1) << where(r);
        }
        if (r.cls() != 3) {
            EXPECT_EQ(r.col[12], 0) << where(r);
        }
        EXPECT_EQ(r.col[14], 1) << where(r) << ": every chip can be read";
    }
}

TEST(BaseTableData, FeatureFlagsOnlyWhereTheCommandsExist) {
    for (const Row& r : table().rows) {
        const long a = r.alg();
        // Column 19 is the page option of algorithm 30 as well, so only the SDP menus' owners use
        // it.
        if (r.col[19]) {
            EXPECT_TRUE(in(a, {15, 16, 30})) << where(r) << ": SDP";
        }
        if (r.col[20]) {
            EXPECT_EQ(a, 16) << where(r) << ": lockout set";
        }
        if (r.col[23]) {
            EXPECT_TRUE(in(a, {15, 16})) << where(r) << ": lockout read";
        }
        if (r.col[21]) {
            EXPECT_EQ(a, 10) << where(r) << ": option bit of algorithm 10";
        }
        if (r.col[18]) {
            EXPECT_LT(r.cls(), 4) << where(r) << ": slow link";
        }
        // Class 4 packs the page code into the low bits of the packet's third byte, where the
        // flags 0x01 (above 64 K) and 0x04 (algorithm 22, variant 0) would disguise it.
        if (r.cls() == 4 && r.romLen * r.width() / 8 > 0x10000) {
            EXPECT_EQ(r.col[5] & 1, 0) << where(r);
        }
        if (r.cls() == 4 && a == 22 && r.variant() == 0) {
            EXPECT_EQ(r.col[5] & 4, 0) << where(r);
        }
        // Read-back of 2112-byte page blocks does not line up with the buffer pages.
        if (in(a, {57, 60, 61}) || (a == 62 && r.variant() == 0)) {
            EXPECT_EQ(r.col[22], 0) << where(r);
        }
        // The 20-pin adapter path of algorithm 10 reads the ID at 0 and 1, every other at 0x30.
        if (r.col[17] == 5 && r.cls() == 1) {
            EXPECT_EQ(a, 10) << where(r);
        }
        if (r.col[17] == 5 && r.cls() == 1) {
            EXPECT_EQ(r.variant(), 0) << where(r);
        }
        // Erasing a UV EPROM electrically is impossible; the erase flag is for algorithms 4 and 5.
        if (r.cls() == 0) {
            EXPECT_EQ(r.col[9] == 1, in(a, {4, 5}) && r.variant() == 0) << where(r);
        }
    }
}

TEST(BaseTableData, SectorListsAreNeverEmpty) {
    for (const Row& r : table().rows) {
        const long long s = r.romLen;
        const long a = r.alg();
        if (forcedB(a) && optA(r) != 0) {
            const long m = r.width() == 8 ? 2 : 1;
            const bool bySize = s == m * 0x20000 || s == m * 0x40000 || s == m * 0x80000;
            // The 3-volt layouts (catalogue voltage code) are computed from the size instead.
            EXPECT_TRUE(bySize || (s > 0xFFFF && s % 0x8000 == 0)) << where(r);
        }
        if (a == 33) {
            EXPECT_GE(s, 0x10000) << where(r);
        }
        if (in(a, {60, 61})) {
            EXPECT_GE(s, optA(r) == 1 ? 16896 : 8448) << where(r);
        }
        if (a == 62) {
            EXPECT_GE(s, r.variant() == 0 ? 135168 : 0x20000) << where(r);
        }
        if (a == 47) {
            EXPECT_LE(s, 0x400000) << where(r) << ": the word address has 22 bits";
        }
        if (in(a, {36, 37})) {
            EXPECT_LE(s, 0x400000) << where(r) << ": address bits 22-23 carry flags";
        }
        if (a == 57 || in(a, {60, 61, 62})) {
            EXPECT_TRUE(in(optC(r), {0, 1, 3})) << where(r);
        }
    }
}

namespace {

struct PicField {
    std::string name;
    std::vector<unsigned> words;
};

// Splits one configuration layout line; returns false with `why` on a malformed line.
bool parsePicLine(const std::string& line, unsigned& dflt, std::vector<PicField>& fields,
                  std::string& why) {
    fields.clear();
    if (line.size() < 6) return why = "too short", false;
    const std::string d = line.substr(0, 4);
    if (d.find_first_not_of("0123456789ABCDEF") != std::string::npos)
        return why = "default " + d, false;
    dflt = unsigned(std::stoul(d, nullptr, 16));
    const std::size_t hash = line.find('#', 5);
    if (hash == std::string::npos) return why = "no #", false;
    std::stringstream body(line.substr(5, hash - 5));
    std::string f;
    while (std::getline(body, f, ';')) {
        PicField pf;
        std::stringstream opts(f);
        std::string o;
        if (!std::getline(opts, pf.name, ',') || pf.name.empty())
            return why = "field without name", false;
        while (std::getline(opts, o, ',')) {
            const std::size_t blank = o.find(' ');
            if (blank == std::string::npos || blank == 0) return why = "option " + o, false;
            const std::string w = o.substr(blank + 1);
            if (w == "@")
                pf.words.push_back(0x3FFF);
            else if (w.size() == 4 && w.find_first_not_of("0123456789ABCDEF") == std::string::npos)
                pf.words.push_back(unsigned(std::stoul(w, nullptr, 16)));
            else
                return why = "word " + w, false;
        }
        fields.push_back(pf);
    }
    return true;
}

} // namespace

TEST(PicLayoutData, EveryPicRowFindsAConsistentLayout) {
    std::vector<std::string> lines;
    for (const std::string& l : fileLines("prgpic16.lst")) {
        if (!l.empty() && l[0] == ';') break;
        lines.push_back(l);
    }
    ASSERT_FALSE(lines.empty());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        unsigned dflt = 0;
        std::vector<PicField> fields;
        std::string why;
        ASSERT_TRUE(parsePicLine(lines[i], dflt, fields, why)) << "layout " << i << ": " << why;
        EXPECT_GE(fields.size(), 1u);
        EXPECT_LE(fields.size(), 11u) << "layout " << i;
        for (const PicField& f : fields) {
            ASSERT_GE(f.words.size(), 2u) << "layout " << i << " " << f.name;
            EXPECT_LE(f.words.size(), 8u) << "layout " << i << " " << f.name;
            const unsigned mask = f.words.front() ^ f.words.back();
            EXPECT_NE(mask, 0u) << "layout " << i << " " << f.name;
            std::set<unsigned> values;
            for (unsigned w : f.words) {
                EXPECT_EQ(w & ~mask & 0x3FFF, dflt & ~mask & 0x3FFF)
                    << "layout " << i << " " << f.name << ": options differ outside the field";
                EXPECT_TRUE(values.insert(w & mask).second)
                    << "layout " << i << " " << f.name << ": duplicate";
            }
            EXPECT_TRUE(values.count(dflt & mask))
                << "layout " << i << " " << f.name << ": default fits no option";
        }
    }
    for (const Row& r : table().rows) {
        if (r.cls() != 5) continue;
        // Column 4 also sizes the data EEPROM area.
        EXPECT_TRUE(in(r.col[4], {0, 1, 2, 3, 4, 7, 11, 12, 13})) << where(r);
        EXPECT_EQ(r.col[13], 0) << where(r);
        EXPECT_EQ(r.col[16], 0) << where(r) << ": PIC entries carry no ID codes";
        if (r.alg() == 27) {
            EXPECT_LT(r.col[4], long(lines.size())) << where(r) << ": no layout line";
            EXPECT_LE(r.col[6], 1) << where(r);
        }
    }
}

TEST(FuseLayoutData, EveryFuseChipFindsAValidLine) {
    std::vector<std::string> lines;
    for (const std::string& l : fileLines("prgatmel.lst")) {
        if (!l.empty() && l[0] == ';') break;
        lines.push_back(l);
    }
    ASSERT_GE(lines.size(), 27u) << "line 27 holds the MCS-51 fuse chips";
    std::vector<int> counts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const std::size_t blank = l.find(' ');
        ASSERT_TRUE(blank == 2 || blank == 4 || blank == 6) << "line " << i + 1;
        EXPECT_EQ(l.substr(0, blank).find_first_not_of("0123456789ABCDEF"), std::string::npos)
            << "line " << i + 1;
        ASSERT_GE(l.size(), 7u) << "line " << i + 1;
        EXPECT_EQ(l.substr(blank, 7 - blank), std::string(7 - blank, ' ')) << "line " << i + 1;
        const std::string names = l.substr(7);
        const std::size_t end = names.find(' ');
        if (!names.empty()) {
            EXPECT_NE(end, std::string::npos)
                << "line " << i + 1 << ": the last name needs a blank after it";
        }
        const std::string list = names.substr(0, end);
        EXPECT_LE(std::count(list.begin(), list.end(), ',') + 1, 21) << "line " << i + 1;
        counts.push_back(int(blank / 2));
    }
    for (const Row& r : table().rows) {
        if (!fuseChip(r)) continue;
        const long idx =
            ((r.alg() == 10 && r.col[26] == 3) || (r.alg() == 28 && r.cls() == 1)) ? 27 : r.col[6];
        ASSERT_GE(idx, 1) << where(r);
        ASSERT_LE(idx, long(lines.size())) << where(r);
        EXPECT_EQ(r.col[11], 1) << where(r) << ": the fuse writer needs the lock permission";
        if (r.cls() == 6) {
            EXPECT_NE(idx, 27) << where(r);
            EXPECT_TRUE(in(r.col[4], {0, 1, 2, 3, 4, 5})) << where(r) << ": EEPROM size code";
            // Parallel parts of the second kind keep lock and fuse bits in one byte.
            if (r.alg() == 45 && r.variant() == 1) {
                EXPECT_EQ(counts[std::size_t(idx - 1)], 1) << where(r);
            }
            if (r.alg() == 42) {
                EXPECT_EQ(counts[std::size_t(idx - 1)], 1) << where(r);
            }
            if (r.alg() == 26 || (r.alg() == 45 && r.variant() == 0)) {
                EXPECT_GE(counts[std::size_t(idx - 1)], 2) << where(r);
            }
            if (r.alg() == 45 && r.variant() == 0) {
                EXPECT_EQ(r.col[5] == 0, counts[std::size_t(idx - 1)] == 3)
                    << where(r) << ": extended fuse flag";
            }
        }
    }
}

TEST(AdapterData, EveryCodeSplitsIntoItsItems) {
    const auto lines = fileLines("prgadapt.lst");
    ASSERT_EQ(lines.size(), 18u) << "codes 0 to 17";
    std::vector<int> items(lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string& l = lines[k];
        EXPECT_LE(l.size(), 45u) << "code " << k;
        // Every item is followed by ";" and the line by a blank, so that none is dropped.
        std::string s = l.substr(0, 45);
        std::size_t semi;
        while ((semi = s.find(';')) != std::string::npos) {
            const std::string item = s.substr(0, semi);
            EXPECT_FALSE(item.empty()) << "code " << k;
            EXPECT_TRUE(item == "-" || (item.size() >= 6 && item[4] == ':' && item[5] == ' '))
                << "code " << k << ": \"" << item << '"';
            ++items[k];
            s = s.substr(semi + 1);
        }
        EXPECT_TRUE(s.empty() || s == " ") << "code " << k << ": text after the last item";
    }
    for (const Row& r : table().rows)
        if (r.col[17] != 0) {
            EXPECT_GT(items[std::size_t(r.col[17])], 0) << where(r);
        }
}
