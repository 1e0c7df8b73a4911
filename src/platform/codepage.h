#pragma once
// The fixed single-byte code page of the system (Windows-1252), both directions.
#include <string>
#include <string_view>

namespace quillon {

// Every byte gives one character. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as the
// platform's own conversion does.
std::u16string Cp1252ToWide(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'; `lossless` (when given) tells
// whether that happened.
std::string WideToCp1252(std::u16string_view text, bool* lossless = nullptr);

}  // namespace quillon
