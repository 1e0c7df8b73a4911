#pragma once
// DVB text and code helpers: character tables, three-character codes, BCD texts.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/bytes.h"

namespace quillon {

// Three characters from bits 23..16, 15..8, 7..0; 0 gives an empty text.
std::u16string ThreeCharCodeText(uint32_t code);
// Drops a leading "0x" (or else "$") and reads a signed decimal number; 0 on failure.
int32_t BcdTextToInt(std::u16string_view text);
// The character-table selector (first byte below 0x20), or -1.
int CharTableCode(const RawString& text);
// The name of the character table the first byte selects, or an empty text.
std::u16string CharTableText(const RawString& text);
// A DVB-coded name as UTF-16. False (and an empty text) for empty input.
bool DvbTextToWide(const RawString& text, std::u16string& out);
// Convenience: the text alone.
std::u16string DvbTextToWide(const RawString& text);
// Removes "[0x...]" tags (everything up to and including the first "]" after "[0x").
std::u16string StripHexTags(std::u16string_view text, bool firstOnly);
// Removes U+0000..U+001F, U+007F, U+0081..U+0090 and U+0093..U+009F.
std::u16string StripControlChars(std::u16string_view text);

}  // namespace quillon
