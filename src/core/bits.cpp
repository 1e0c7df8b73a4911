#include "core/bits.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/text.h"

namespace quillon {

void ByteWriter::Overrun() const {
  throw EncodeError(Format("Content does not fit the declared length: %zu bytes declared, more needed.",
                           data_.size()));
}

void ByteWriter::StorePending(Bytes& data) const {
  const int n = static_cast<int>(bit_ % 8);
  if (n == 0) return;
  uint8_t& b = data[bit_ / 8];
  b = static_cast<uint8_t>((pending_ << (8 - n)) | (b & ((1u << (8 - n)) - 1)));
}

Bytes ByteWriter::Data() const {
  Bytes data = data_;
  StorePending(data);
  return data;
}

Bytes ByteWriter::Take() {
  StorePending(data_);
  pending_ = 0;
  bit_ = 0;
  return std::move(data_);
}

void ByteWriter::PutUnmasked(uint32_t value, int width) {
  if (width < 32 && value >> width)
    throw EncodeError(Format("Packed value %u does not fit %d bits.", value, width));
  PutBits(value, width);
}

void ByteWriter::PutBytes(ByteView bytes) {
  if (bit_ % 8 != 0) {
    for (uint8_t b : bytes) PutBits(b, 8);
    return;
  }
  Need(bytes.size() * 8);
  std::copy(bytes.begin(), bytes.end(), data_.begin() + static_cast<std::ptrdiff_t>(bit_ / 8));
  bit_ += bytes.size() * 8;
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
  StorePending(data_);
  pending_ = 0;
  bit_ = pos * 8;
}

void ByteReader::Overrun() const {
  throw DecodeError(Format("Data ends after %zu bytes; the layout needs more.", data_.size()));
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
