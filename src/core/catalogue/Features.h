#pragma once
// Derives what a chip offers (app/ChipFeatures.h) from its parameters: the one place that
// says which families have which commands.

#include "app/ChipFeatures.h"
#include "app/Records.h"

namespace zelvor {

ChipFeatures chipFeatures(const RomParams& p);

} // namespace zelvor
