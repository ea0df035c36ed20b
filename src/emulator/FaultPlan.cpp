#include "FaultPlan.h"

#include "ChipProfile.h"

namespace zelvor::emu {

namespace {

struct KindName {
    const char* name;
    FaultKind kind;
};

constexpr KindName kKinds[] = {
    {"nak", FaultKind::Nak},
    {"wrong-ack", FaultKind::WrongAck},
    {"silence", FaultKind::Silence},
    {"slow", FaultKind::Slow},
    {"drop", FaultKind::Drop},
    {"corrupt", FaultKind::Corrupt},
    {"disconnect", FaultKind::Disconnect},
    {"store-nothing", FaultKind::StoreNothing},
};

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == sep) {
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    out.push_back(cur);
    return out;
}

} // namespace

const char* FaultPlan::kindName(FaultKind kind) {
    for (const auto& k : kKinds)
        if (k.kind == kind) return k.name;
    return "?";
}

bool FaultPlan::add(const std::string& spec, std::string& error) {
    auto parts = split(spec, ':');
    FaultRule rule;
    bool known = false;
    for (const auto& k : kKinds) {
        if (parts[0] == k.name) {
            rule.kind = k.kind;
            known = true;
        }
    }
    if (!known) {
        error = "unknown fault kind \"" + parts[0] + "\"";
        return false;
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
        auto eq = parts[i].find('=');
        const std::string key = parts[i].substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : parts[i].substr(eq + 1);
        std::uint32_t n = 0;
        bool ok = true;
        if (key == "op") {
            ok = parseNumber(value, n) && n <= 13;
            rule.opCode = static_cast<int>(n);
        } else if (key == "after") {
            ok = parseNumber(value, n);
            rule.after = static_cast<int>(n);
        } else if (key == "count") {
            ok = parseNumber(value, n);
            rule.count = static_cast<int>(n);
        } else if (key == "ms") {
            ok = parseNumber(value, n) && n <= 600000;
            rule.ms = static_cast<int>(n);
        } else if (key == "bytes") {
            ok = parseNumber(value, n) && n <= 1000000;
            rule.bytes = static_cast<int>(n);
        } else if (key == "prob") {
            ok = parseNumber(value, n) && n <= 100;
            rule.prob = n / 100.0;
        } else if (key == "at") {
            if (value == "setup")
                rule.at = FaultAt::Setup;
            else if (value == "piece")
                rule.at = FaultAt::Piece;
            else if (value == "bulk")
                rule.at = FaultAt::Bulk;
            else if (value == "reply")
                rule.at = FaultAt::Reply;
            else
                ok = false;
        } else {
            error = "unknown fault option \"" + key + "\" in \"" + spec + "\"";
            return false;
        }
        if (!ok) {
            error = "bad value \"" + value + "\" for \"" + key + "\" in \"" + spec + "\"";
            return false;
        }
    }
    rules_.push_back(rule);
    return true;
}

const FaultRule* FaultPlan::strike(FaultKind kind, FaultAt at, int opCode) {
    for (auto& r : rules_) {
        if (r.kind != kind) continue;
        if (r.opCode >= 0 && r.opCode != opCode) continue;
        if (r.at != FaultAt::Any && at != FaultAt::Any && r.at != at) continue;
        ++r.seen;
        if (r.seen <= r.after) continue;
        if (r.count >= 0 && r.hits >= r.count) continue;
        if (r.prob < 1.0) {
            std::uniform_real_distribution<double> dist(0.0, 1.0);
            if (dist(rng_) >= r.prob) continue;
        }
        ++r.hits;
        return &r;
    }
    return nullptr;
}

std::uint32_t FaultPlan::random(std::uint32_t n) {
    if (n == 0) return 0;
    std::uniform_int_distribution<std::uint32_t> dist(0, n - 1);
    return dist(rng_);
}

const char* FaultPlan::helpText() {
    return "Faults (--fault KIND[:key=value]..., repeatable; deterministic for a --seed):\n"
           "  nak            answer with 0x01 (at=setup: the set-up packet, default;\n"
           "                 at=piece: a data piece of a program block)\n"
           "  wrong-ack      answer with 0xAA instead of 0x55 (at=setup or at=piece)\n"
           "  silence        ignore the set-up packet and all input for ms=N (default 700)\n"
           "  slow           wait ms=N before every answer\n"
           "  drop           leave bytes=N bytes (default 1) out of a frame (at=bulk or\n"
           "                 at=reply; default: whichever the operation sends)\n"
           "  corrupt        send a wrong checksum (at=bulk or at=reply)\n"
           "  disconnect     go deaf after bytes=N more bytes (ms=N: come back after N ms)\n"
           "  store-nothing  acknowledge data pieces but store nothing\n"
           "  Common keys: op=0..13 (only this operation code), after=N (let N occasions\n"
           "  pass), count=N (strike N times; default every time), prob=0..100 (percent).\n";
}

} // namespace zelvor::emu
