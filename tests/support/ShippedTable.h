#pragma once
// Rows of the shipped prgplus.lst that table-driven tests walk.

#include <vector>

namespace zelvor::test {

// One base type (1-based index) of each algorithm the shipped table uses, first row first.
std::vector<int> oneRowPerAlgorithm();

} // namespace zelvor::test
