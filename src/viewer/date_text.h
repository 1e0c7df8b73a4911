#pragma once
// Dates of the tree: a Modified Julian Date as a calendar date in the user's short
// date format.
#include <cstdint>
#include <string>

namespace quillon {

struct CivilDate {
  int Year = 0;
  int Month = 0;  // 1..12
  int Day = 0;    // 1..31
  bool operator==(const CivilDate&) const = default;
};

// MJD 0 is 17 November 1858.
CivilDate MjdToDate(uint16_t mjd);

using DateFormatter = std::u16string (*)(const CivilDate& date);
// "dd.mm.yyyy" until the program sets the user's format; nullptr restores that.
void SetDateFormatter(DateFormatter formatter);
std::u16string ShortDateText(const CivilDate& date);

}  // namespace quillon
