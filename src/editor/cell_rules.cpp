#include "editor/cell_rules.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/text.h"
#include "vocabulary/dvb_text.h"

namespace quillon {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool StartsWithHexPrefix(std::u16string_view text) {
  return text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X');
}

}  // namespace

std::optional<int64_t> ReadInteger(std::u16string_view text) {
  text = Trimmed(text);
  bool negative = false;
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
    negative = text.front() == u'-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == u'$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 16 - 16;
  int64_t value = 0;
  for (char16_t c : text) {
    int d = DigitValue(c);
    if (d < 0 || d >= base) return std::nullopt;
    if (value < kLimit) value = value * base + d;
  }
  return negative ? -value : value;
}

std::optional<uint16_t> ParseIDText(std::u16string_view text) {
  text = Trimmed(text);
  std::optional<int64_t> v =
      StartsWithHexPrefix(text) ? ReadInteger(u"$" + std::u16string(text.substr(2))) : ReadInteger(text);
  if (!v || *v < 1 || *v > 0xFFFF) return std::nullopt;
  return static_cast<uint16_t>(*v);
}

std::u16string IDText(uint16_t id) { return Utf8ToUtf16(Format("0x%04X", unsigned{id})); }

std::optional<int32_t> ParseLCNText(std::u16string_view text) {
  int64_t v = ReadInteger(text).value_or(0);
  if (v < 0 || v > kMaxLogicalChannel) return std::nullopt;
  return static_cast<int32_t>(v);
}

std::optional<long double> ParseDecimalText(std::u16string_view text, char16_t separator) {
  text = Trimmed(text);
  // Checked here rather than left to the converter: only the user's separator counts,
  // and words such as "inf" are no frequency.
  std::string ascii;
  bool digits = false, point = false, exponent = false, expDigits = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    bool signPlace = i == 0 || (exponent && (text[i - 1] == u'e' || text[i - 1] == u'E'));
    if (c >= u'0' && c <= u'9') {
      (exponent ? expDigits : digits) = true;
      ascii += static_cast<char>(c);
    } else if (c == separator && !point && !exponent) {
      point = true;
      ascii += '.';
    } else if ((c == u'e' || c == u'E') && digits && !exponent) {
      exponent = true;
      ascii += 'e';
    } else if ((c == u'+' || c == u'-') && signPlace) {
      if (c == u'-') ascii += '-';
    } else {
      return std::nullopt;
    }
  }
  if (!digits || (exponent && !expDigits)) return std::nullopt;
  long double value = 0;
  auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

TByteResult ParseByteText(std::u16string_view text) {
  std::optional<int64_t> v = ReadInteger(text);
  if (!v) return {TByteParse::NotANumber, 0};
  if (*v < 0 || *v > 255) return {TByteParse::OutOfRange, 0};
  return {TByteParse::Ok, static_cast<uint8_t>(*v)};
}

// ---------------------------------------------------------------- services

std::u16string ServiceNameText(std::u16string_view name) { return StripHexTags(StripControlChars(name), false); }

int CompareServiceNames(std::u16string_view a, std::u16string_view b) {
  std::u16string x = StripControlChars(a), y = StripControlChars(b);
  for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
    char16_t cx = AsciiUpper(x[i]), cy = AsciiUpper(y[i]);
    if (cx != cy) return cx < cy ? -1 : 1;
  }
  return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

int ServiceImageIndex(uint8_t serviceType, bool visible) {
  int image = kImageNone;
  switch (serviceType) {
    case 0x01: case 0x04: case 0x05: case 0x06: case 0x0B: case 0x11:
    case 0x16: case 0x17: case 0x18: case 0x19: case 0x1A: case 0x1B:
      image = kImageTV;
      break;
    case 0x02: case 0x0A:
      image = kImageRadio;
      break;
    case 0x03: case 0x0C: case 0x0D: case 0x10:
      image = kImageData;
      break;
    default:
      return kImageNone;
  }
  return visible ? image : image + 1;
}

// ---------------------------------------------------------------- channel lists

std::u16string ChannelListEntryText(const TChListData& list) {
  return Utf8ToUtf16(Format("%d - ", list.ListID())) + list.ListName();
}

int32_t ChannelListIDFromText(std::u16string_view text) {
  std::u16string_view head = text.substr(0, text.find(u' '));
  // Only decimal digits count here, and an id far outside any list is no id either.
  for (char16_t c : head)
    if (c == u'$') return 0;
  std::optional<int64_t> v = ReadInteger(head);
  if (!v || *v < std::numeric_limits<int32_t>::min() || *v > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<int32_t>(*v);
}

std::u16string ChannelListCellText(TServiceData& service, const TChListDataList& lists) {
  for (const auto& list : lists)
    if (list->ListID() == service.ChannelListID()) return ChannelListEntryText(*list);
  service.SetChannelListID(-1);
  return {};
}

}  // namespace quillon
