#include "core/crc32.h"

#include <array>

namespace quillon {

namespace {
constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = i << 24;
    for (int k = 0; k < 8; ++k) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
    t[i] = r;
  }
  return t;
}
constexpr std::array<uint32_t, 256> kTable = MakeTable();
static_assert(kTable[1] == 0x04C11DB7u);
}  // namespace

uint32_t CalcCRC32(const uint8_t* data, size_t count, uint32_t init) {
  uint32_t r = init;
  for (size_t i = 0; i < count; ++i) r = (r << 8) ^ kTable[((r >> 24) ^ data[i]) & 0xFF];
  return r;
}

}  // namespace quillon
