#include "viewer/node_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdarg>

#include "platform/codepage.h"
#include "platform/text.h"
#include "vocabulary/dvb_text.h"
#include "vocabulary/number_text.h"

namespace quillon::viewer {

std::u16string Fmt(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  std::string text = VFormat(fmt, args);
  va_end(args);
  return Utf8ToUtf16(text);
}

namespace {

// Most of a large tree is numbers; they are written here directly, without printf and
// the UTF-8 round trip, since printing them costs more than the rest of the tree.
constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

std::u16string DecWith(int64_t value, std::u16string_view suffix) {
  char buffer[24];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  std::u16string out(static_cast<const char*>(buffer), end);
  out += suffix;
  return out;
}

}  // namespace

std::u16string Bits(int width) { return DecWith(width, u" Bit"); }

std::u16string Dec(int64_t value) { return DecWith(value, {}); }

// As printf's "0x%.*X": at least `digits` digits (one when negative), none at all for 0
// with no digits asked.
std::u16string Hex(uint32_t value, int digits) {
  int significant = 0;
  for (uint32_t v = value; v != 0; v >>= 4) ++significant;
  const int count = std::max(digits < 0 ? 1 : digits, significant);
  std::u16string out(2 + static_cast<size_t>(count), u'0');
  out[1] = u'x';
  for (size_t i = out.size(); value != 0; value >>= 4) out[--i] = kHexDigits[value & 0xF];
  return out;
}

std::u16string ByteList(const Bytes& bytes) {
  std::u16string out(3 * bytes.size(), u' ');
  for (size_t i = 0; i < bytes.size(); ++i) {
    out[3 * i] = kHexDigits[bytes[i] >> 4];
    out[3 * i + 1] = kHexDigits[bytes[i] & 0xF];
  }
  return out;
}

double BcdValue(uint32_t field, int power) {
  return BcdTextToInt(Hex(field, 1)) / std::pow(10.0, power);
}

std::u16string Fixed(double value, int decimals, std::u16string_view unit) {
  return DecimalText(value, decimals) + std::u16string(unit);
}

TTableNode& Field(TTableNode& parent, std::u16string name, int width, std::u16string value, std::u16string info) {
  return parent.Add(std::move(name), Bits(width), std::move(value), std::move(info));
}

TTableNode& BcdField(TTableNode& parent, std::u16string name, int width, uint32_t value, int digits, int power,
                     int decimals, std::u16string_view unit) {
  return HexField(parent, std::move(name), width, value, digits, Fixed(BcdValue(value, power), decimals, unit));
}

TTableNode& CodeField(TTableNode& parent, std::u16string name, uint32_t code) {
  return HexField(parent, std::move(name), 24, code, 6, ThreeCharCodeText(code));
}

TTableNode& BytesNode(TTableNode& parent, std::u16string name, const Bytes& bytes) {
  return parent.Add(std::move(name), DecWith(static_cast<int64_t>(bytes.size()), u" Bytes"), ByteList(bytes));
}

std::u16string Chars(int count) { return DecWith(count, u" Chars"); }

TTableNode& CharTableText(TTableNode& parent, std::u16string name, std::u16string length, const RawString& bytes,
                          const std::u16string& decoded) {
  std::u16string info;
  if (CharTableCode(bytes) != -1) info = decoded + u" (" + quillon::CharTableText(bytes) + u")";
  return parent.Add(std::move(name), std::move(length), Cp1252ToWide(bytes), std::move(info));
}

TTableNode& CharTableText(TTableNode& parent, std::u16string name, std::u16string length,
                          const std::u16string& plain, const std::u16string& decoded) {
  return CharTableText(parent, std::move(name), std::move(length), WideToCp1252(plain), decoded);
}

}  // namespace quillon::viewer
