#include "viewer/date_text.h"

#include "platform/text.h"

namespace quillon {

namespace {

constexpr int kMjdOfUnixEpoch = 40587;  // 1970-01-01

std::u16string DottedDate(const CivilDate& d) {
  return Utf8ToUtf16(Format("%2.2d.%2.2d.%4.4d", d.Day, d.Month, d.Year));
}

// The user-interface thread is the only reader and writer.
DateFormatter g_formatter = DottedDate;

}  // namespace

CivilDate MjdToDate(uint16_t mjd) {
  // Days since 1970-01-01 to the proleptic Gregorian calendar (H. Hinnant's civil_from_days).
  int z = mjd - kMjdOfUnixEpoch + 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  CivilDate d;
  d.Day = doy - (153 * mp + 2) / 5 + 1;
  d.Month = mp < 10 ? mp + 3 : mp - 9;
  d.Year = yoe + era * 400 + (d.Month <= 2 ? 1 : 0);
  return d;
}

void SetDateFormatter(DateFormatter formatter) { g_formatter = formatter ? formatter : DottedDate; }

std::u16string ShortDateText(const CivilDate& date) { return g_formatter(date); }

}  // namespace quillon
