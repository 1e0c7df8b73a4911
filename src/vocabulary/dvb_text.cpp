#include "vocabulary/dvb_text.h"

#include <limits>

#include "platform/codepage.h"

namespace quillon {

namespace {

// ISO/IEC 8859-5: Cyrillic from 0xA1 on, a fixed offset apart from three non-letters.
char16_t FromIso8859_5(uint8_t b) {
  switch (b) {
    case 0xAD: return u'\u00AD';
    case 0xF0: return u'\u2116';
    case 0xFD: return u'\u00A7';
  }
  return b >= 0xA1 ? static_cast<char16_t>(b + 0x360) : b;
}

// ISO/IEC 8859-9: Latin-1 with six Turkish letters in place of the Icelandic ones.
char16_t FromIso8859_9(uint8_t b) {
  switch (b) {
    case 0xD0: return u'\u011E';
    case 0xDD: return u'\u0130';
    case 0xDE: return u'\u015E';
    case 0xF0: return u'\u011F';
    case 0xFD: return u'\u0131';
    case 0xFE: return u'\u015F';
  }
  return b;
}

// ISO/IEC 8859-15: Latin-1 with the euro sign and seven letters replacing symbols.
char16_t FromIso8859_15(uint8_t b) {
  switch (b) {
    case 0xA4: return u'\u20AC';
    case 0xA6: return u'\u0160';
    case 0xA8: return u'\u0161';
    case 0xB4: return u'\u017D';
    case 0xB8: return u'\u017E';
    case 0xBC: return u'\u0152';
    case 0xBD: return u'\u0153';
    case 0xBE: return u'\u0178';
  }
  return b;
}

std::u16string MapBytes(std::string_view bytes, char16_t (*map)(uint8_t)) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) out.push_back(map(static_cast<uint8_t>(c)));
  return out;
}

std::u16string BigEndianUnits(std::string_view bytes) {
  if (bytes.size() % 2) return {};
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i < bytes.size(); i += 2)
    out.push_back(static_cast<char16_t>((static_cast<uint8_t>(bytes[i]) << 8) | static_cast<uint8_t>(bytes[i + 1])));
  return out;
}

}  // namespace

std::u16string ThreeCharCodeText(uint32_t code) {
  if (code == 0) return {};
  return {static_cast<char16_t>((code >> 16) & 0xFF), static_cast<char16_t>((code >> 8) & 0xFF),
          static_cast<char16_t>(code & 0xFF)};
}

int32_t BcdTextToInt(std::u16string_view text) {
  if (text.starts_with(u"0x"))
    text.remove_prefix(2);
  else if (text.starts_with(u"$"))
    text.remove_prefix(1);

  bool negative = false;
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return 0;
  int64_t value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return 0;
    value = value * 10 + (c - u'0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return 0;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<int32_t>(value);
}

int CharTableCode(const RawString& text) {
  if (text.empty()) return -1;
  auto first = static_cast<uint8_t>(text[0]);
  return first < 0x20 ? first : -1;
}

std::u16string CharTableText(const RawString& text) {
  switch (CharTableCode(text)) {
    case 0x01: return u"ISO 8859-5 - Latin/Cyrillic Alphabet";
    case 0x02: return u"ISO 8859-6 - Latin/Arabic Alphabet";
    case 0x03: return u"ISO 8859-7 - Latin/Greek Alphabet";
    case 0x04: return u"ISO 8859-8 - Latin/Hebrew Alphabet";
    case 0x05: return u"ISO 8859-9 - Latin Alphabet No. 5";
    case 0x06: return u"ISO 8859-10 - Latin Alphabet No. 6";
    case 0x07: return u"ISO 8859-11 - Latin/Thai Alphabet";
    case 0x09: return u"ISO 8859-13 - Latin Alphabet No.7 (Baltic Rim)";
    case 0x0A: return u"ISO 8859-14 - Latin Alphabet No.8 (Celtic)";
    case 0x0B: return u"ISO 8859-15 - Latin Alphabet No.9";
    case 0x11: return u"ISO 10646-1 - Basic Multilingual Plane";
    case 0x14: return u"ISO 10646-1 Big5 - Traditional Chinese";
  }
  return {};
}

bool DvbTextToWide(const RawString& text, std::u16string& out) {
  out.clear();
  if (text.empty()) return false;
  std::string_view rest = std::string_view(text).substr(1);
  switch (CharTableCode(text)) {
    case 0x01: out = MapBytes(rest, FromIso8859_5); break;
    case 0x05: out = MapBytes(rest, FromIso8859_9); break;
    case 0x0B: out = MapBytes(rest, FromIso8859_15); break;
    case 0x11:
    case 0x14: out = BigEndianUnits(rest); break;
    default:
      // Plain text, or a table we do not handle: the selector byte goes along.
      out = Cp1252ToWide(text);
  }
  return true;
}

std::u16string DvbTextToWide(const RawString& text) {
  std::u16string out;
  DvbTextToWide(text, out);
  return out;
}

std::u16string StripHexTags(std::u16string_view text, bool firstOnly) {
  std::u16string s(text);
  for (size_t at; (at = s.find(u"[0x")) != std::u16string::npos;) {
    size_t close = s.find(u']', at);
    if (close == std::u16string::npos) break;  // an open tag: leave the rest as it is
    s.erase(0, close + 1);
    if (firstOnly) break;
  }
  return s;
}

std::u16string StripControlChars(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    bool control = c <= 0x1F || c == 0x7F || (c >= 0x81 && c <= 0x90) || (c >= 0x93 && c <= 0x9F);
    if (!control) out.push_back(c);
  }
  return out;
}

}  // namespace quillon
