#pragma once
// Seeded fault injection. A rule names a fault kind, the operation codes it applies to and
// how often; the firmware asks the plan at each occasion of that kind.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zelvor::emu {

enum class FaultKind {
    Nak,          // answer a good set-up packet or data piece with 0x01
    WrongAck,     // answer a set-up packet or data piece with another byte
    Silence,      // ignore a set-up packet and everything else for N ms
    Slow,         // wait N ms before every answer
    Drop,         // leave N bytes out of a bulk frame or a short reply
    Corrupt,      // wrong checksum on a bulk frame or a short reply
    Disconnect,   // go deaf after N more bytes were sent
    StoreNothing, // acknowledge data pieces but store nothing
};

// Where a fault strikes; not every kind uses every place.
enum class FaultAt { Any, Setup, Piece, Bulk, Reply };

struct FaultRule {
    FaultKind kind = FaultKind::Nak;
    FaultAt at = FaultAt::Any;
    int opCode = -1; // -1: every operation
    int after = 0;   // occasions to let pass first
    int count = -1;  // occasions to strike; -1: all
    double prob = 1.0;
    int ms = -1; // -1: the kind's default (700 ms; disconnect: for good)
    int bytes = 1;
    int seen = 0;
    int hits = 0;
};

class FaultPlan {
  public:
    explicit FaultPlan(std::uint32_t seed = 1) : rng_(seed) {}

    // Adds a rule from its text form KIND[:key=value]... ; false with a message on error.
    [[nodiscard]] bool add(const std::string& spec, std::string& error);
    void addRule(const FaultRule& rule) { rules_.push_back(rule); }

    // One occasion of `kind` at `at` during operation `opCode`; returns the rule that strikes,
    // or nullptr.
    const FaultRule* strike(FaultKind kind, FaultAt at, int opCode);
    // A number in [0, n) from the plan's seeded generator.
    std::uint32_t random(std::uint32_t n);

    bool empty() const { return rules_.empty(); }
    static const char* kindName(FaultKind kind);
    static const char* helpText();

  private:
    std::vector<FaultRule> rules_;
    std::mt19937 rng_;
};

} // namespace zelvor::emu
