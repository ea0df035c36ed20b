#pragma once
// RomParams as `field=value` text, one field a line, for tools and diagnostics.

#include "app/Records.h"

#include <QList>
#include <QPair>
#include <QString>

namespace zelvor {

// Every field of RomParams in declaration order with its value: numbers in decimal,
// romName as it is, fuseBytes as five two-digit hex bytes separated by blanks.
QList<QPair<QString, QString>> romParamsFields(const RomParams& p);

} // namespace zelvor
