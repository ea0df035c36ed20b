#include "SetupPacket.h"

#include <cstdio>

namespace zelvor::emu {

std::uint8_t SetupPacket::expectedChecksum() const {
    unsigned sum = 0;
    for (int i = 1; i <= 8; ++i)
        sum += b[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
}

std::string SetupPacket::hex() const {
    std::string out;
    char tmp[4];
    for (auto v : b) {
        std::snprintf(tmp, sizeof tmp, "%02X", v);
        out += tmp;
    }
    return out;
}

const char* opCodeName(int opCode) {
    static const char* names[] = {"announce", "read",        "program", "lock-write", "speed",
                                  "erase",    "blank-check", "read-id", "ram-test",   "sdp",
                                  "bbl-set",  "bbl-read",    "version", "fw-switch"};
    return opCode >= 0 && opCode < 14 ? names[opCode] : "unknown";
}

std::string Operation::json() const {
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "{\"op\":%d,\"name\":\"%s\",\"alg\":%d,\"class\":%d,\"area\":%d,\"lowVcc\":%s,"
                  "\"start\":%u,\"end\":%u,\"L\":%u,\"units\":%u,\"bytesPerUnit\":%d,"
                  "\"pieces\":%d,\"cmd\":%d,\"lockSel\":%d,\"value\":%d,\"speed\":%d,"
                  "\"eraseFlag\":%s}",
                  opCode, opCodeName(opCode), algCode, devClass, area, lowVcc ? "true" : "false",
                  start, end, count, units, bytesPerUnit, pieces, cmd, lockSel, value, speedCode,
                  eraseFlag ? "true" : "false");
    return buf;
}

} // namespace zelvor::emu
