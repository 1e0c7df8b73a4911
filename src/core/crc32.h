#pragma once
// The MPEG-2 CRC_32 (polynomial 0x04C11DB7, no reflection, no final XOR).
#include <cstddef>
#include <cstdint>

namespace quillon {

inline constexpr uint32_t kCrcInit = 0xFFFFFFFF;

// CRC of the first `count` bytes of `data`, starting from the register value `init`.
uint32_t CalcCRC32(const uint8_t* data, size_t count, uint32_t init);

}  // namespace quillon
