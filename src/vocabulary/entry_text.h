#pragma once
// The texts of the small entry fields (network id, version number, modulator address)
// read and written as values. The widgets call these; the rules stay testable without
// a window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_table.h"

namespace quillon {

enum class EntryMsg { strsOutOfRange, strsInvalidEntry };

inline constexpr TMessageRow<EntryMsg> kEntryMessageRows[] = {
    {EntryMsg::strsOutOfRange, "strsOutOfRange", "Wert außerhalb des Bereichs!"},
    {EntryMsg::strsInvalidEntry, "strsInvalidEntry", "Ungültiger Eintrag"},
};
using TEntryMessages = TMessageTable<EntryMsg, kEntryMessageRows>;

// Why an entry text was refused; the message to show follows from it.
enum class EntryError { None, OutOfRange, Invalid };

inline std::optional<EntryMsg> EntryErrorMessage(EntryError e) {
  if (e == EntryError::OutOfRange) return EntryMsg::strsOutOfRange;
  if (e == EntryError::Invalid) return EntryMsg::strsInvalidEntry;
  return std::nullopt;
}

template <class T>
struct TEntryResult {
  EntryError Error = EntryError::None;
  T Value{};
  bool Ok() const { return Error == EntryError::None; }
};

// A number in base 16 or 2 with its prefix ("0x", "0b") and at most `maxDigits` digits.
struct TBaseEntryFormat {
  int Base = 16;
  std::string_view Prefix = "0x";
  int MaxDigits = 4;
  uint32_t Min = 0;
  uint32_t Max = 0xFFFF;
};

inline constexpr TBaseEntryFormat kNetworkIdEntry{16, "0x", 4, 0, 0xFFFF};

// Blanks around the text are ignored, the prefix may be left out and is matched without
// regard to case. No digits, or a character that is not a digit of the base, is
// Invalid; more digits than the format allows, or a value outside Min..Max, OutOfRange.
TEntryResult<uint32_t> ParseBaseEntry(std::string_view text, const TBaseEntryFormat& format);
// The prefix and all MaxDigits digits, upper case: "0x00FF".
std::string BaseEntryText(uint32_t value, const TBaseEntryFormat& format);

// Dotted IPv4 text, four decimal parts. A part above 255 is OutOfRange; anything else
// that is not four parts of one to three digits is Invalid. The value is the address
// in canonical form ("010.0.0.1" -> "10.0.0.1").
TEntryResult<std::string> ParseIPv4Entry(std::string_view text);

inline constexpr const char* kEmptyIPv4 = "0.0.0.0";

}  // namespace quillon
