#include "core/bits.h"

#include "platform/errors.h"
#include "platform/text.h"

namespace quillon {

void ByteWriter::Need(size_t bits) const {
  if (bit_ + bits > data_.size() * 8)
    throw EncodeError(Format("Content does not fit the declared length: %zu bytes declared, more needed.",
                             data_.size()));
}

void ByteWriter::PutBits(uint32_t value, int width) {
  Need(static_cast<size_t>(width));
  if (width < 32) value &= (1u << width) - 1;
  for (int i = width - 1; i >= 0; --i) {
    if ((value >> i) & 1) data_[bit_ / 8] |= static_cast<uint8_t>(0x80 >> (bit_ % 8));
    ++bit_;
  }
}

void ByteWriter::PutUnmasked(uint32_t value, int width) {
  if (width < 32 && value >> width)
    throw EncodeError(Format("Packed value %u does not fit %d bits.", value, width));
  PutBits(value, width);
}

void ByteWriter::PutBytes(ByteView bytes) {
  for (uint8_t b : bytes) PutBits(b, 8);
}

void ByteWriter::PutBytesPrefix(ByteView bytes, size_t count) {
  if (bytes.size() < count)
    throw EncodeError(Format("%zu bytes to write, but only %zu held.", count, bytes.size()));
  PutBytes(bytes.first(count));
}

void ByteWriter::PutChars(const std::u16string& text, size_t count) {
  if (text.size() < count)
    throw EncodeError(Format("%zu characters to write, but the text has %zu.", count, text.size()));
  for (size_t i = 0; i < count; ++i) {
    if (text[i] > 0xFF)
      throw EncodeError(Format("Character U+%04X cannot be written as one byte.", static_cast<unsigned>(text[i])));
    PutBits(text[i], 8);
  }
}

void ByteWriter::SeekByte(size_t pos) {
  if (pos > data_.size()) throw EncodeError("Write position beyond the declared length.");
  bit_ = pos * 8;
}

void ByteReader::Need(size_t bits) const {
  if (bit_ + bits > data_.size() * 8)
    throw DecodeError(Format("Data ends after %zu bytes; the layout needs more.", data_.size()));
}

uint32_t ByteReader::Bits(int width) {
  Need(static_cast<size_t>(width));
  uint32_t v = 0;
  if (bit_ % 8 == 0 && width % 8 == 0) {
    for (int i = 0; i < width / 8; ++i) v = (v << 8) | data_[bit_ / 8 + i];
    bit_ += width;
    return v;
  }
  for (int i = 0; i < width; ++i) {
    v = (v << 1) | ((data_[bit_ / 8] >> (7 - bit_ % 8)) & 1);
    ++bit_;
  }
  return v;
}

Bytes ByteReader::TakeBytes(size_t n) {
  Need(n * 8);
  size_t p = bit_ / 8;
  bit_ += n * 8;
  return Bytes(data_.begin() + p, data_.begin() + p + n);
}

RawString ByteReader::TakeRaw(size_t n) {
  Need(n * 8);
  size_t p = bit_ / 8;
  bit_ += n * 8;
  return RawString(data_.begin() + p, data_.begin() + p + n);
}

std::u16string ByteReader::TakeLatin1(size_t n) {
  Need(n * 8);
  std::u16string s(n, u'\0');
  size_t p = bit_ / 8;
  for (size_t i = 0; i < n; ++i) s[i] = data_[p + i];
  bit_ += n * 8;
  return s;
}

void ByteReader::Skip(size_t n) {
  Need(n * 8);
  bit_ += n * 8;
}

size_t ByteReader::RemainingBytes() const {
  size_t p = (bit_ + 7) / 8;
  return p < data_.size() ? data_.size() - p : 0;
}

}  // namespace quillon
