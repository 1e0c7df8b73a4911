#pragma once
// The ISO 3166-1 country table of the channel lists, and three-letter country codes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

struct TISO3166_1Entry {
  std::u16string_view CountryCode3;  // alpha-3
  std::u16string_view CountryCode2;  // alpha-2
  std::u16string_view Name;          // English short name
};

// Sorted by alpha-3 code: the list as it stood after Serbia and Montenegro split, before 2007.
extern const std::array<TISO3166_1Entry, 244> ISO_3166_1;

// Three characters as a 24-bit code, the first in bits 23..16; missing characters count as 0.
// 0 for an empty text, and for a text whose first three characters do not all fit a byte.
uint32_t PackCountryCode(std::u16string_view text);

// The entry whose alpha-3 code equals the code's three characters, letter case ignored; nullptr when none
// does and for 0. Only the low 24 bits count, as in ThreeCharCodeText.
const TISO3166_1Entry* FindCountryEntry(uint32_t code);

// "DEU - Germany": the alpha-3 code, " - " and the name.
std::u16string CountryEntryText(const TISO3166_1Entry& entry);

// A channel list's country as shown: the entry's text when the code is in the table, else the code's
// three characters (empty for 0).
std::u16string CountryCodeDisplayText(uint32_t code);

}  // namespace quillon
