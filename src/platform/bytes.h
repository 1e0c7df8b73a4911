#pragma once
// Byte containers shared by every layer.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quillon {

using Bytes = std::vector<uint8_t>;
using ByteView = std::span<const uint8_t>;

// An "8-bit string": raw bytes held in a std::string (RPages, DVB-coded names).
using RawString = std::string;

inline ByteView AsBytes(const RawString& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}
inline RawString ToRaw(ByteView b) { return RawString(b.begin(), b.end()); }

}  // namespace quillon
