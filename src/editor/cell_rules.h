#pragma once
// How the editor's grid cells read a typed text and show a stored value: ids, channel
// numbers, decimal numbers in the user's notation, small integers, service names and
// icons, and the channel-list column of a service.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "project/nit_data.h"

namespace quillon {

// An integer as the user may type it: blanks around it, an optional sign, then decimal
// digits or "$" and hexadecimal digits. nullopt for anything else. A value too large
// for 64 bits saturates, so that range checks refuse it like any other big number.
std::optional<int64_t> ReadInteger(std::u16string_view text);

// The ID rule: "0x" (either case) and hexadecimal digits, or an integer as above;
// accepted in 1..65535.
std::optional<uint16_t> ParseIDText(std::u16string_view text);
// "0x00FF": "0x" and four upper-case hexadecimal digits.
std::u16string IDText(uint16_t id);

inline constexpr int32_t kMaxLogicalChannel = 16383;
// A logical channel number: a text that is no integer counts as 0; nullopt (refused)
// outside 0..16383.
std::optional<int32_t> ParseLCNText(std::u16string_view text);

// A decimal number written with `separator` (a '.' is refused when the separator is
// another character), optionally with an exponent. nullopt when it is not a number.
std::optional<long double> ParseDecimalText(std::u16string_view text, char16_t separator);

// A byte-sized integer field (time slicing, MPE-FEC indicators).
enum class TByteParse { Ok, NotANumber, OutOfRange };
struct TByteResult {
  TByteParse Status;
  uint8_t Value;
};
TByteResult ParseByteText(std::u16string_view text);

// ---- services

// The name as the grid shows it: control characters and "[0x..]" tags removed.
std::u16string ServiceNameText(std::u16string_view name);
// Orders names as the grid sorts them: control characters removed, ASCII letters
// compared without regard to case, everything else by code unit. <0, 0, >0.
int CompareServiceNames(std::u16string_view a, std::u16string_view b);

// The service icons in image-list order: each kind normal, then dimmed.
enum TServiceImage : int {
  kImageNone = -1,
  kImageTV = 0,
  kImageTVHidden = 1,
  kImageRadio = 2,
  kImageRadioHidden = 3,
  kImageData = 4,
  kImageDataHidden = 5,
};
inline constexpr int kServiceImageCount = 6;
// By service type; an invisible service gets the dimmed image of its kind.
int ServiceImageIndex(uint8_t serviceType, bool visible);

// ---- channel lists as services see them

// "12 - Sport": the list's id, " - ", its name.
std::u16string ChannelListEntryText(const TChListData& list);
// The id at the start of such an entry: the characters before the first blank as a
// decimal integer, 0 when they are not one.
int32_t ChannelListIDFromText(std::u16string_view text);
// The channel-list cell of a service. A service whose list no longer exists gets
// ListID -1 here (its cell is empty), so it leaves the NorDig V2 descriptor.
std::u16string ChannelListCellText(TServiceData& service, const TChListDataList& lists);

}  // namespace quillon
