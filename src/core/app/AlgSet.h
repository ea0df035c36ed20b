#pragma once
// A set of programmer algorithm numbers (0..63), written as a list and asked with
// contains(): `constexpr AlgSet kPaged{57, 60, 61};`. A number outside 0..63 is in no set.

#include <cstdint>
#include <initializer_list>

namespace zelvor {

class AlgSet {
  public:
    constexpr AlgSet(std::initializer_list<int> algorithms) {
        for (int a : algorithms)
            if (a >= 0 && a < 64) bits_ |= std::uint64_t(1) << a;
    }

    [[nodiscard]] constexpr bool contains(int algorithm) const {
        return algorithm >= 0 && algorithm < 64 && ((bits_ >> algorithm) & 1) != 0;
    }

  private:
    std::uint64_t bits_ = 0;
};

} // namespace zelvor
