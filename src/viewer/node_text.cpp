#include "viewer/node_text.h"

#include <charconv>
#include <cmath>
#include <cstdarg>

#include "platform/codepage.h"
#include "platform/hex.h"
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
std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string DecWith(int64_t value, std::u16string_view suffix) {
  char buffer[24];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  std::u16string out = Ascii({buffer, end});
  out += suffix;
  return out;
}

}  // namespace

std::u16string Bits(int width) { return DecWith(width, u" Bit"); }

std::u16string Dec(int64_t value) { return DecWith(value, {}); }

std::u16string Hex(uint32_t value, int digits) {
  // As printf's "0x%.*X", which writes no digit for 0 when none is asked.
  if (value == 0 && digits == 0) return u"0x";
  return Ascii(Hex0x(value, digits));
}

std::u16string ByteList(const Bytes& bytes) {
  return bytes.empty() ? std::u16string() : Ascii(HexBytes(bytes)) + u" ";
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
