#pragma once
// The two tools all on-air bytes go through. The writer has a fixed size (taken from a
// declared length) and throws EncodeError when content would overrun it; the reader
// throws DecodeError when a read would pass the end of what it was given. Both work
// most significant bit first and big-endian, as ISO/IEC 13818-1 and EN 300 468 pack.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/bytes.h"

namespace quillon {

class ByteWriter {
 public:
  explicit ByteWriter(size_t size) : data_(size, 0) {}

  // `value` masked to `width` bits (1..32), appended at the current bit position.
  void PutBits(uint32_t value, int width) {
    Need(static_cast<size_t>(width));
    if (width < 32) value &= (1u << width) - 1;
    if (bit_ % 8 == 0 && width % 8 == 0) {
      // Whole bytes at a byte boundary, the common case; with a constant width the loop
      // unrolls into plain stores.
      uint8_t* p = data_.data() + bit_ / 8;
      for (int shift = width - 8; shift >= 0; shift -= 8) *p++ = static_cast<uint8_t>(value >> shift);
      bit_ += static_cast<size_t>(width);
      return;
    }
    // The bits of an unfinished byte wait in `pending_`; every byte the field completes
    // is stored whole. No byte is read back, so fields in a row do not wait on each
    // other's stores.
    size_t n = bit_ % 8 + static_cast<size_t>(width);
    const uint64_t bits = (pending_ << width) | value;
    uint8_t* p = data_.data() + bit_ / 8;
    while (n >= 8) {
      n -= 8;
      *p++ = static_cast<uint8_t>(bits >> n);
    }
    pending_ = bits & ((uint64_t{1} << n) - 1);
    bit_ += static_cast<size_t>(width);
  }
  // Like PutBits, but a value that does not fit `width` bits is an encoding error:
  // used for packed units whose parts are added up unmasked.
  void PutUnmasked(uint32_t value, int width);
  void PutU8(uint32_t v) { PutBits(v, 8); }
  void PutU16(uint32_t v) { PutBits(v, 16); }
  void PutU24(uint32_t v) { PutBits(v, 24); }
  void PutU32(uint32_t v) { PutBits(v, 32); }
  void PutBytes(ByteView bytes);
  void PutBytes(const RawString& bytes) { PutBytes(AsBytes(bytes)); }
  // The first `count` bytes of `bytes`; fewer available is an encoding error.
  void PutBytesPrefix(ByteView bytes, size_t count);
  // The first `count` characters of `text`, one byte each; a missing character or one
  // above U+00FF is an encoding error.
  void PutChars(const std::u16string& text, size_t count);

  size_t BytePosition() const { return bit_ / 8; }
  size_t Size() const { return data_.size(); }
  // Moves to a byte position (the bytes between stay as they are).
  void SeekByte(size_t pos);
  // The bytes so far; the bits of an unfinished byte replace the high bits of what the
  // byte held.
  Bytes Data() const;
  Bytes Take();

 private:
  void Need(size_t bits) const {
    if (bit_ + bits > data_.size() * 8) Overrun();
  }
  [[noreturn]] void Overrun() const;
  // Stores the unfinished byte into `data`.
  void StorePending(Bytes& data) const;
  Bytes data_;
  size_t bit_ = 0;
  uint64_t pending_ = 0;  // the bit_ % 8 bits of the unfinished byte
};

class ByteReader {
 public:
  explicit ByteReader(ByteView data, size_t bytePos = 0) : data_(data), bit_(bytePos * 8) {}

  uint32_t Bits(int width) {  // 1..32
    Need(static_cast<size_t>(width));
    const size_t first = bit_ / 8;
    const uint8_t* p = data_.data() + first;
    const int used = static_cast<int>(bit_ % 8);
    bit_ += static_cast<size_t>(width);
    if (used == 0 && width % 8 == 0) {
      uint32_t v = 0;
      for (int i = 0; i < width / 8; ++i) v = (v << 8) | p[i];
      return v;
    }
    // The field lies within five bytes: eight (or what is left) read as one number.
    const size_t count = std::min<size_t>(8, data_.size() - first);
    uint64_t window;
    if (count == 8) {
      std::memcpy(&window, p, 8);
      if constexpr (std::endian::native == std::endian::little) window = __builtin_bswap64(window);
    } else {
      window = 0;
      for (size_t i = 0; i < count; ++i) window = (window << 8) | p[i];
    }
    const int shift = 8 * static_cast<int>(count) - used - width;
    return static_cast<uint32_t>((window >> shift) & ((uint64_t{1} << width) - 1));
  }
  uint8_t U8() { return static_cast<uint8_t>(Bits(8)); }
  uint16_t U16() { return static_cast<uint16_t>(Bits(16)); }
  uint32_t U24() { return Bits(24); }
  uint32_t U32() { return Bits(32); }
  Bytes TakeBytes(size_t n);
  RawString TakeRaw(size_t n);
  // n bytes, each as the character with that code.
  std::u16string TakeLatin1(size_t n);
  void Skip(size_t n);

  size_t BytePosition() const { return bit_ / 8; }
  void SeekByte(size_t pos) { bit_ = pos * 8; }
  size_t Size() const { return data_.size(); }
  size_t RemainingBytes() const;
  ByteView Data() const { return data_; }

 private:
  void Need(size_t bits) const {
    if (bit_ + bits > data_.size() * 8) Overrun();
  }
  [[noreturn]] void Overrun() const;
  ByteView data_;
  size_t bit_ = 0;
};

// n / d rounded to the nearest whole number, halves to even (the entry-count rule).
constexpr uint32_t RoundHalfEven(uint32_t n, uint32_t d) {
  uint32_t q = n / d, r = n % d;
  if (2 * r > d || (2 * r == d && (q & 1))) ++q;
  return q;
}

}  // namespace quillon
