#pragma once
// The two tools all on-air bytes go through. The writer has a fixed size (taken from a
// declared length) and throws EncodeError when content would overrun it; the reader
// throws DecodeError when a read would pass the end of what it was given. Both work
// most significant bit first and big-endian, as ISO/IEC 13818-1 and EN 300 468 pack.
#include <cstdint>
#include <string>

#include "platform/bytes.h"

namespace quillon {

class ByteWriter {
 public:
  explicit ByteWriter(size_t size) : data_(size, 0) {}

  // `value` masked to `width` bits (1..32), appended at the current bit position.
  void PutBits(uint32_t value, int width);
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
  const Bytes& Data() const { return data_; }
  Bytes Take() { return std::move(data_); }

 private:
  void Need(size_t bits) const;
  Bytes data_;
  size_t bit_ = 0;
};

class ByteReader {
 public:
  explicit ByteReader(ByteView data, size_t bytePos = 0) : data_(data), bit_(bytePos * 8) {}

  uint32_t Bits(int width);  // 1..32
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
  void Need(size_t bits) const;
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
