#pragma once
// The pictures of a running operation for the README (see OperationShots.cpp).

#include <QString>

namespace zelvor::test {

// Writes progress-<lang>.png and journal-<lang>.png into `out`; 0 when both were written.
int shootOperations(const QString& out, int english);

} // namespace zelvor::test
