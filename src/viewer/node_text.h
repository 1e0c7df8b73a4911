#pragma once
// Building blocks of the field nodes: value formats and the common node shapes. Every
// text of the tree is made here, so the UTF-8 -> UTF-16 step happens in one place.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/bytes.h"
#include "viewer/table_node.h"

namespace quillon::viewer {

// printf into a node text.
std::u16string Fmt(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

std::u16string Bits(int width);                  // "8 Bit"
std::u16string Dec(int64_t value);               // "%d" / "%u"
std::u16string Hex(uint32_t value, int digits);  // "0x" and at least `digits` upper-case digits
// "0A 1B FF " (every byte followed by a blank).
std::u16string ByteList(const Bytes& bytes);

// The field's hexadecimal digits read back as a decimal number (0 when one is not a
// decimal digit), divided by 10^power.
double BcdValue(uint32_t field, int power);
// `value` with `decimals` places and the user's decimal separator, then `unit`.
std::u16string Fixed(double value, int decimals, std::u16string_view unit = {});

// Name; Length "w Bit"; Value; Info.
TTableNode& Field(TTableNode& parent, std::u16string name, int width, std::u16string value,
                  std::u16string info = {});
inline TTableNode& DecField(TTableNode& parent, std::u16string name, int width, int64_t value,
                            std::u16string info = {}) {
  return Field(parent, std::move(name), width, Dec(value), std::move(info));
}
inline TTableNode& HexField(TTableNode& parent, std::u16string name, int width, uint32_t value, int digits,
                            std::u16string info = {}) {
  return Field(parent, std::move(name), width, Hex(value, digits), std::move(info));
}
// A BCD field shown as hexadecimal digits, its Info the scaled number.
TTableNode& BcdField(TTableNode& parent, std::u16string name, int width, uint32_t value, int digits, int power,
                     int decimals, std::u16string_view unit);

// A three-character code (language or country), its Info the characters.
TTableNode& CodeField(TTableNode& parent, std::u16string name, uint32_t code);
inline TTableNode& LanguageField(TTableNode& parent, uint32_t code) {
  return CodeField(parent, u"ISO 639 Language Code", code);
}

// Name; Length "n Bytes"; Value the bytes as ByteList.
TTableNode& BytesNode(TTableNode& parent, std::u16string name, const Bytes& bytes);
// A loop or group node: the name alone.
inline TTableNode& Group(TTableNode& parent, std::u16string name) { return parent.Add(std::move(name)); }

// "13 Chars"
std::u16string Chars(int count);
// A name that may start with a character-table selector: Value the bytes one character
// each through the fixed code page; Info "decoded (table)" when a selector is there.
TTableNode& CharTableText(TTableNode& parent, std::u16string name, std::u16string length, const RawString& bytes,
                          const std::u16string& decoded);
// The same for a name held as text through the fixed code page.
TTableNode& CharTableText(TTableNode& parent, std::u16string name, std::u16string length,
                          const std::u16string& plain, const std::u16string& decoded);

// Info of a 1-bit flag: `set` when it is 1, else `clear`.
inline std::u16string FlagText(uint32_t flag, std::u16string_view set, std::u16string_view clear) {
  return std::u16string(flag == 1 ? set : clear);
}

}  // namespace quillon::viewer
