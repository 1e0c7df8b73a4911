#include <gtest/gtest.h>

#include "descriptors/event.h"
#include "platform/text.h"
#include "viewer/date_text.h"
#include "viewer/viewer_test_util.h"

namespace quillon {
namespace {

TEST(DateText, ModifiedJulianDates) {
  struct {
    uint16_t mjd;
    CivilDate date;
  } cases[] = {
      {0, {1858, 11, 17}},     {15078, {1900, 2, 28}}, {15079, {1900, 3, 1}},   {0xC079, {1993, 10, 13}},
      {51543, {1999, 12, 31}}, {51544, {2000, 1, 1}},  {51603, {2000, 2, 29}}, {0xFFFF, {2038, 4, 22}},
  };
  for (const auto& c : cases) {
    CivilDate d = MjdToDate(c.mjd);
    EXPECT_EQ(d, c.date) << c.mjd << " gave " << d.Year << "-" << d.Month << "-" << d.Day;
  }
}

std::u16string IsoDate(const CivilDate& d) { return Utf8ToUtf16(Format("%04d-%02d-%02d", d.Year, d.Month, d.Day)); }

// The program sets the user's format; the tree's "Time of Change" follows it.
TEST(DateText, TimeOfChangeUsesTheUsersFormat) {
  TLocalTimeOffsetDescriptor d;
  d.TimeOffsetEntry.push_back({});
  d.TimeOffsetEntry[0].TimeOfChange = {0xC0, 0x79, 0x12, 0x45, 0x00};
  const std::string line = "      Time of Change | 40 Bit | 0xC0 0x79 0x12 0x45 0x00 | ";

  EXPECT_NE(test::Shown(d).find(line + "13.10.1993\n"), std::string::npos) << test::Shown(d);
  SetDateFormatter(IsoDate);
  EXPECT_NE(test::Shown(d).find(line + "1993-10-13\n"), std::string::npos) << test::Shown(d);
  SetDateFormatter(nullptr);
  EXPECT_EQ(ShortDateText({2000, 1, 2}), u"02.01.2000");
}

}  // namespace
}  // namespace quillon
