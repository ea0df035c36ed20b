#include "ChipProfile.h"

#include <cctype>
#include <fstream>

namespace zelvor::emu {

namespace {

std::string trim(const std::string& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

bool parseInt(const std::string& v, int& out, int lo, int hi) {
    std::uint32_t n = 0;
    if (!parseNumber(v, n) || n < static_cast<std::uint32_t>(lo) ||
        n > static_cast<std::uint32_t>(hi))
        return false;
    out = static_cast<int>(n);
    return true;
}

bool parseBytes(const std::string& v, std::vector<std::uint8_t>& out) {
    std::vector<std::uint32_t> nums;
    if (!parseNumberList(v, nums, true)) return false;
    out.clear();
    for (auto n : nums) {
        if (n > 0xFF) return false;
        out.push_back(static_cast<std::uint8_t>(n));
    }
    return true;
}

} // namespace

bool parseNumber(const std::string& textIn, std::uint32_t& out, bool hexDefault) {
    std::string text = trim(textIn);
    int base = hexDefault ? 16 : 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text = text.substr(2);
    }
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t v = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    out = static_cast<std::uint32_t>(v);
    return true;
}

bool parseNumberList(const std::string& text, std::vector<std::uint32_t>& out, bool hexDefault) {
    out.clear();
    std::string cur;
    auto flush = [&]() {
        if (cur.empty()) return true;
        std::uint32_t v = 0;
        if (!parseNumber(cur, v, hexDefault)) return false;
        out.push_back(v);
        cur.clear();
        return true;
    };
    for (char c : text) {
        if (c == ',' || std::isspace(static_cast<unsigned char>(c))) {
            if (!flush()) return false;
        } else {
            cur += c;
        }
    }
    return flush();
}

bool ChipProfile::set(const std::string& keyIn, const std::string& valueIn, std::string& error) {
    const std::string key = trim(keyIn);
    const std::string value = trim(valueIn);
    bool ok = true;
    std::uint32_t n = 0;
    if (key == "class")
        ok = parseInt(value, devClass, 0, 6);
    else if (key == "alg")
        ok = parseInt(value, algCode, 0, 63);
    else if (key == "width")
        ok = parseInt(value, dataWidth, 8, 16);
    else if (key == "variant")
        ok = parseInt(value, variant, 0, 3);
    else if (key == "page")
        ok = parseInt(value, pageSize, 1, 65536);
    else if (key == "size")
        ok = parseNumber(value, size);
    else if (key == "block")
        ok = parseNumber(value, blockSize) && blockSize > 0;
    else if (key == "sectors")
        ok = parseNumberList(value, sectors);
    else if (key == "id")
        ok = parseBytes(value, id) && !id.empty();
    else if (key == "image")
        ok = !(image = value).empty();
    else if (key == "image-offset")
        ok = parseNumber(value, imageOffset);
    else if (key == "bad-blocks")
        ok = parseNumberList(value, badBlocks);
    else if (key == "fail") {
        failingCells.clear();
        std::vector<std::uint32_t> cells;
        // Each entry is ADDRESS or ADDRESS:VALUE (the value the cell is stuck at, default 00).
        std::string norm = value;
        std::vector<std::string> items;
        std::string cur;
        for (char c : norm + ",") {
            if (c == ',' || std::isspace(static_cast<unsigned char>(c))) {
                if (!cur.empty()) items.push_back(cur);
                cur.clear();
            } else {
                cur += c;
            }
        }
        for (const auto& it : items) {
            auto colon = it.find(':');
            std::uint32_t addr = 0, stuck = 0;
            if (!parseNumber(it.substr(0, colon), addr)) ok = false;
            if (colon != std::string::npos &&
                (!parseNumber(it.substr(colon + 1), stuck, true) || stuck > 0xFF))
                ok = false;
            failingCells.emplace_back(addr, static_cast<std::uint8_t>(stuck));
        }
    } else if (key == "ramtest") {
        if (value == "ok" || value == "pass")
            ramTestOk = true;
        else if (value == "fail")
            ramTestOk = false;
        else
            ok = false;
    } else if (key == "version") {
        ok = parseNumber(value, n, true) && n <= 0xFF;
        version = static_cast<std::uint8_t>(n);
    } else if (key == "fuses") {
        std::vector<std::uint8_t> f;
        ok = parseBytes(value, f) && !f.empty() && f.size() <= 5;
        for (std::size_t i = 0; ok && i < f.size(); ++i)
            fuses[i] = f[i];
    } else if (key == "erase-ms")
        ok = parseInt(value, eraseMs, 0, 600000);
    else if (key == "locked")
        ok = parseInt(value, lockLevel, 0, 3);
    else if (key == "boot-block")
        ok = parseNumber(value, bootBlock) && bootBlock > 0;
    else {
        error = "unknown profile key \"" + key + "\"";
        return false;
    }
    if (!ok) error = "bad value \"" + value + "\" for profile key \"" + key + "\"";
    return ok;
}

bool ChipProfile::loadFile(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open profile file \"" + path + "\"";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        if (trim(line).empty()) continue;
        auto eq = line.find('=');
        if (eq == std::string::npos) {
            error = path + ":" + std::to_string(number) + ": expected key=value";
            return false;
        }
        std::string err;
        if (!set(line.substr(0, eq), line.substr(eq + 1), err)) {
            error = path + ":" + std::to_string(number) + ": " + err;
            return false;
        }
    }
    return true;
}

const char* ChipProfile::helpText() {
    return "Profile keys (file: one key=value a line, '#' starts a comment; the same keys\n"
           "work with --set KEY=VALUE). Numbers are decimal or 0x-hex; byte lists are hex.\n"
           "  class=0..6        chip class (0 EPROM, 1 MCS-51, 2 Flash, 3 SRAM, 4 serial\n"
           "                    EEPROM, 5 PIC, 6 AVR); default: inferred from each packet\n"
           "  alg=0..63         algorithm the chip expects (informational; packets rule)\n"
           "  width=8..16       data width; default 16 for 19,20,24,38,47,58 and AVR, 14 for\n"
           "                    algorithm 27, else 8 (23, 26, 28, 41, 42, 45, 52, 55 need 16\n"
           "                    here to move words)\n"
           "  variant=N         variant of algorithm 62 (1: 2048-byte pages without spare)\n"
           "  page=N            page length with spare for 57, 60, 61, 62 (default 528, 62: 2112)\n"
           "  size=N            chip size in units (0 = unlimited; serial EEPROMs above\n"
           "                    0x10000 units need it for their address bit 16)\n"
           "  block=N           erase sector / NAND block in units (default by algorithm)\n"
           "  sectors=A,B,...   explicit sector starts for boot-block chips (17, 38)\n"
           "  id=1F 51 FF       identification bytes, by ID address order (0x30.. and 0..)\n"
           "  image=FILE        binary image loaded into the code area\n"
           "  image-offset=N    byte offset of the image\n"
           "  bad-blocks=N,...  NAND blocks marked bad in their spare area\n"
           "  fail=ADDR[:VV],.. cells stuck at VV (default 00): programming them fails, a RAM\n"
           "                    test over them fails\n"
           "  ramtest=ok|fail   result of every RAM test command\n"
           "  version=HH        firmware version byte (default 21)\n"
           "  fuses=LK LO HI EX CAL   lock, fuse and calibration bytes (default FF ...)\n"
           "  erase-ms=N        time one erase command takes (default: 800 for slow-erase\n"
           "                    algorithms, 100 for chip erase, 20 per sector)\n"
           "  locked=0..3       initial lock level\n"
           "  boot-block=N      size of each lockable boot block in bytes (default 0x4000)\n";
}

} // namespace zelvor::emu
