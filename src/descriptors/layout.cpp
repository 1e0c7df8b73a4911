#include "descriptors/layout.h"

#include "platform/codepage.h"
#include "platform/text.h"
#include "vocabulary/dvb_text.h"

namespace quillon::layout {

namespace {

void NeedAtLeast(size_t held, int n, const char* what) {
  if (n > 0 && held < static_cast<size_t>(n))
    throw EncodeError(Format("%d %s to write, but only %zu held.", n, what, held));
}

}  // namespace

void Writer::AllChars(const std::u16string& text, int n) const {
  NeedAtLeast(text.size(), n, "characters");
  w_.PutChars(text, text.size());
}

void Writer::AllBytes(const Bytes& bytes, int n) const {
  NeedAtLeast(bytes.size(), n, "bytes");
  w_.PutBytes(bytes);
}

void Writer::Run(const Bytes& bytes, int n) const {
  if (n > 0) w_.PutBytesPrefix(bytes, static_cast<size_t>(n));
}

void Reader::AllChars(std::u16string& text, int n) const {
  text = n > 0 ? r_.TakeLatin1(static_cast<size_t>(n)) : std::u16string();
}

void Reader::Run(Bytes& bytes, int n) const {
  if (n < 0) throw DecodeError(Format("Length leaves %d bytes for a byte run.", n));
  bytes = r_.TakeBytes(static_cast<size_t>(n));
}

void Reader::DvbText(std::u16string& name, std::u16string& uni, size_t n) const {
  RawString raw = r_.TakeRaw(n);
  name = Cp1252ToWide(raw);
  uni = DvbTextToWide(raw);
}

void Reader::DvbText(RawString& name, std::u16string& uni, size_t n) const {
  name = r_.TakeRaw(n);
  uni = DvbTextToWide(name);
}

}  // namespace quillon::layout
