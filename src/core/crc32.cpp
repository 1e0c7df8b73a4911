#include "core/crc32.h"

#include <array>

namespace quillon {

namespace {

// kTables[0] is the byte table; kTables[k][b] is the register change of byte b followed
// by k zero bytes, so sixteen bytes are taken in one step instead of one after another.
using CrcTables = std::array<std::array<uint32_t, 256>, 16>;

constexpr CrcTables MakeTables() {
  CrcTables t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = i << 24;
    for (int k = 0; k < 8; ++k) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
    t[0][i] = r;
  }
  for (size_t k = 1; k < t.size(); ++k)
    for (size_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] << 8) ^ t[0][t[k - 1][i] >> 24];
  return t;
}
constexpr CrcTables kTables = MakeTables();
static_assert(kTables[0][1] == 0x04C11DB7u);

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

uint32_t CalcCRC32(const uint8_t* data, size_t count, uint32_t init) {
  const auto& t = kTables;
  uint32_t r = init;
  size_t i = 0;
  // Each of the four words goes through the tables of its distance from the end of the
  // block: the first word's bytes are followed by 15..12 more, the last word's by 3..0.
  auto word = [&t](uint32_t w, int k) {
    return t[k + 3][w >> 24] ^ t[k + 2][(w >> 16) & 0xFF] ^ t[k + 1][(w >> 8) & 0xFF] ^ t[k][w & 0xFF];
  };
  for (; i + 16 <= count; i += 16)
    r = word(r ^ BigEndian32(data + i), 12) ^ word(BigEndian32(data + i + 4), 8) ^
        word(BigEndian32(data + i + 8), 4) ^ word(BigEndian32(data + i + 12), 0);
  for (; i < count; ++i) r = (r << 8) ^ t[0][((r >> 24) ^ data[i]) & 0xFF];
  return r;
}

}  // namespace quillon
