#include "vocabulary/number_text.h"

#include <algorithm>
#include <charconv>

namespace quillon {

namespace {

// The user-interface thread is the only reader and writer.
char16_t g_decimalSeparator = u',';

}  // namespace

char16_t DecimalSeparator() { return g_decimalSeparator; }

void SetDecimalSeparator(char16_t separator) { g_decimalSeparator = separator; }

std::u16string DecimalText(double value, int decimals) {
  // to_chars ignores the C locale, which a GUI toolkit may have switched.
  char buffer[400];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                 std::clamp(decimals, 0, 20));
  if (ec != std::errc()) return {};
  std::u16string out(buffer, end);
  std::replace(out.begin(), out.end(), u'.', g_decimalSeparator);
  return out;
}

}  // namespace quillon
