#pragma once
// Decimal numbers as the user writes them: the separator follows the user's locale.
#include <string>

namespace quillon {

// ',' until the program sets the user's separator.
char16_t DecimalSeparator();
void SetDecimalSeparator(char16_t separator);

// `value` with `decimals` digits after the separator, rounded as printf's "%.*f" rounds.
std::u16string DecimalText(double value, int decimals);

}  // namespace quillon
