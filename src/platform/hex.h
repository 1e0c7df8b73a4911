#pragma once
// Upper-case hexadecimal texts, as every hex output of the system is.
#include <cstdint>
#include <string>

#include "platform/bytes.h"

namespace quillon {

// Value in exactly `digits` upper-case digits (more when the value needs them).
std::string HexDigits(uint64_t value, int digits);
// "0x" + HexDigits.
std::string Hex0x(uint64_t value, int digits);
// Bytes as "47 40 10 10 ..." (upper case, one space between).
std::string HexBytes(ByteView bytes);
// Reads hex digit pairs, ignoring spaces. Returns false on an odd digit count or a
// character that is neither a hex digit nor a space; `out` then holds nothing.
bool ParseHexBytes(std::string_view text, Bytes& out);

}  // namespace quillon
