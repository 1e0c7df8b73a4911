#pragma once
// Field lists that run both ways. A descriptor's layout is written once, as a generic
// callable (io, object) naming the fields in wire order; run with a Writer it encodes,
// with a Reader it decodes, so the two directions cannot drift apart. Where the two
// directions differ on purpose (loops, byte runs, texts), the io operation says how.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/bits.h"
#include "platform/bytes.h"
#include "platform/errors.h"

namespace quillon::layout {

// Entry slots of a loop: plain records, or owned objects.
template <class E>
const E& Element(const E& e) {
  return e;
}
template <class E>
const E& Element(const std::unique_ptr<E>& p) {
  if (!p) throw EncodeError("An empty entry slot cannot be encoded.");
  return *p;
}
template <class E>
E& NewElement(std::vector<E>& v) {
  return v.emplace_back();
}
template <class E>
E& NewElement(std::vector<std::unique_ptr<E>>& v) {
  return *v.emplace_back(std::make_unique<E>());
}

class Writer {
 public:
  static constexpr bool kReading = false;
  explicit Writer(ByteWriter& w) : w_(w) {}

  // A field masked to `width` bits.
  template <class T>
  void operator()(const T& field, int width) const {
    w_.PutBits(static_cast<uint32_t>(field), width);
  }
  // A field that is present only when `present` holds.
  template <class T>
  void Optional(bool present, const T& field, int width) const {
    if (present) (*this)(field, width);
  }
  // Exactly n characters, one byte each (from a length field or Length).
  void Chars(const std::u16string& text, size_t n) const { w_.PutChars(text, n); }
  // Every character; the reader takes n of them. Fewer than n held is an error.
  void AllChars(const std::u16string& text, int n) const;
  // Every byte; the reader takes n of them. Fewer than n held is an error.
  void AllBytes(const Bytes& bytes, int n) const;
  // The first n bytes (n computed from Length); none when n is not positive.
  void Run(const Bytes& bytes, int n) const;
  // A name with a character table: the plain form is written, the decoded form is not.
  void DvbText(const std::u16string& name, const std::u16string& /*uni*/, size_t n) const { w_.PutChars(name, n); }
  void DvbText(const RawString& name, const std::u16string& /*uni*/, size_t n) const {
    w_.PutBytesPrefix(AsBytes(name), n);
  }
  // Loops: the writer writes every element in order, whatever the reader's bound.
  template <class V, class F>
  void While(const V& entries, int /*bound*/, F fields) const {
    for (const auto& e : entries) fields(*this, Element(e));
  }
  template <class V, class F>
  void Count(const V& entries, int /*bytes*/, uint32_t /*entrySize*/, F fields) const {
    While(entries, 0, fields);
  }
  // The reader jumps; the writer goes straight on.
  void ReadFrom(int /*bodyOffset*/) const {}
  // The reader clears what the fields it reads next may leave out.
  template <class T>
  void Reset(const T&) const {}

 private:
  ByteWriter& w_;
};

class Reader {
 public:
  static constexpr bool kReading = true;
  explicit Reader(ByteReader& r) : r_(r) {}

  template <class T>
  void operator()(T& field, int width) const {
    field = static_cast<T>(r_.Bits(width));
  }
  template <class T>
  void Optional(bool present, T& field, int width) const {
    if (present)
      (*this)(field, width);
    else
      field = 0;
  }
  void Chars(std::u16string& text, size_t n) const { text = r_.TakeLatin1(n); }
  // n characters; none when n is not positive.
  void AllChars(std::u16string& text, int n) const;
  void AllBytes(Bytes& bytes, int n) const { Run(bytes, n); }
  // n bytes; a negative n means the descriptor is too short for its layout.
  void Run(Bytes& bytes, int n) const;
  // The plain form through the fixed code page, the decoded form through the DVB tables.
  void DvbText(std::u16string& name, std::u16string& uni, size_t n) const;
  // The raw bytes, and the decoded form through the DVB tables.
  void DvbText(RawString& name, std::u16string& uni, size_t n) const;
  // "while": entries follow each other while the body offset is below `bound`; one that
  // starts inside is read whole. Every entry layout starts with at least one fixed byte,
  // so each turn moves on and the loop ends on any input.
  template <class V, class F>
  void While(V& entries, int bound, F fields) const {
    entries.clear();
    while (BodyOffset() < bound) fields(*this, NewElement(entries));
  }
  // "count": `bytes` / `entrySize` entries, rounded to the nearest, halves to even.
  template <class V, class F>
  void Count(V& entries, int bytes, uint32_t entrySize, F fields) const {
    entries.clear();
    uint32_t n = bytes > 0 ? RoundHalfEven(static_cast<uint32_t>(bytes), entrySize) : 0;
    for (uint32_t i = 0; i < n; ++i) fields(*this, NewElement(entries));
  }
  void ReadFrom(int bodyOffset) const { r_.SeekByte(2 + static_cast<size_t>(bodyOffset)); }
  template <class T>
  void Reset(T& v) const {
    v = T{};
  }

 private:
  int BodyOffset() const { return static_cast<int>(r_.BytePosition()) - 2; }
  ByteReader& r_;
};

}  // namespace quillon::layout

// DescriptorData and SetDescriptorData of `Class` from its field list `fields`.
#define QUILLON_LAYOUT_CODEC(Class, fields)        \
  Bytes Class::DescriptorData() const {            \
    ByteWriter w = NewWriter();                    \
    fields(::quillon::layout::Writer(w), *this);   \
    return w.Take();                               \
  }                                                \
  void Class::SetDescriptorData(ByteView data) {   \
    ByteReader r = BodyReader(data);               \
    fields(::quillon::layout::Reader(r), *this);   \
  }
