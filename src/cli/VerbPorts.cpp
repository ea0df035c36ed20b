#include "Verbs.h"

namespace zelvor::cli {

int verbPorts(CliContext& c) {
    for (int i = 0; i < 4; ++i)
        c.out << "COM" << i + 1 << '=' << c.s.portPaths[size_t(i)] << Qt::endl;
    return Ok;
}

} // namespace zelvor::cli
