#pragma once
// Hexadecimal text of fixed width, and hexadecimal input with an error flag.

#include <QString>

namespace zelvor {

// The low 4*digits bits of value as exactly `digits` upper-case hex digits.
QString Hex_str(quint32 value, int digits);

struct HexValue {
    quint32 value = 0;
    int error = 0; // 1 when a character is not a hex digit
};

// Pads text on the left to seven characters, reads the first seven as hex.
HexValue Str_hex(const QString& text);

} // namespace zelvor
