#include "vocabulary/entry_text.h"

#include <cctype>

namespace quillon {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (prefix.empty() || s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

}  // namespace

TEntryResult<uint32_t> ParseBaseEntry(std::string_view text, const TBaseEntryFormat& format) {
  std::string_view digits = Trim(text);
  if (StartsWithNoCase(digits, format.Prefix)) digits.remove_prefix(format.Prefix.size());
  if (digits.empty()) return {EntryError::Invalid};
  uint64_t value = 0;
  for (char c : digits) {
    int d = DigitValue(c);
    if (d >= format.Base) return {EntryError::Invalid};
    // Saturate: the digit count below refuses such a text anyway.
    value = value > 0xFFFFFFFFu ? value : value * static_cast<uint64_t>(format.Base) + static_cast<uint64_t>(d);
  }
  if (static_cast<int>(digits.size()) > format.MaxDigits || value < format.Min || value > format.Max)
    return {EntryError::OutOfRange};
  return {EntryError::None, static_cast<uint32_t>(value)};
}

std::string BaseEntryText(uint32_t value, const TBaseEntryFormat& format) {
  std::string digits;
  for (int i = 0; i < format.MaxDigits || value != 0; ++i) {
    digits.insert(digits.begin(), "0123456789ABCDEF"[value % static_cast<uint32_t>(format.Base)]);
    value /= static_cast<uint32_t>(format.Base);
  }
  return std::string(format.Prefix) + digits;
}

TEntryResult<std::string> ParseIPv4Entry(std::string_view text) {
  std::string_view rest = Trim(text);
  std::string canonical;
  bool outOfRange = false;
  for (int part = 0; part < 4; ++part) {
    size_t n = 0;
    while (n < rest.size() && std::isdigit(static_cast<unsigned char>(rest[n]))) ++n;
    if (n == 0 || n > 3) return {EntryError::Invalid};
    int value = 0;
    for (size_t i = 0; i < n; ++i) value = value * 10 + (rest[i] - '0');
    outOfRange = outOfRange || value > 255;
    rest.remove_prefix(n);
    if (part < 3) {
      if (rest.empty() || rest.front() != '.') return {EntryError::Invalid};
      rest.remove_prefix(1);
    }
    canonical += std::to_string(value);
    if (part < 3) canonical += '.';
  }
  if (!rest.empty()) return {EntryError::Invalid};
  if (outOfRange) return {EntryError::OutOfRange};
  return {EntryError::None, canonical};
}

}  // namespace quillon
