#include <gtest/gtest.h>

#include <string>

#include "core/crc32.h"
#include "support/core_fixtures.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::HexToBytes;
using test::TRawSection;

TEST(Crc32Test, CatalogueValues) {
  const std::string check = "123456789";
  EXPECT_EQ(CalcCRC32(reinterpret_cast<const uint8_t*>(check.data()), check.size(), kCrcInit), 0x0376E6E7u);
  EXPECT_EQ(CalcCRC32(nullptr, 0, kCrcInit), 0xFFFFFFFFu);
  // Count limits the bytes taken.
  EXPECT_EQ(CalcCRC32(reinterpret_cast<const uint8_t*>("123456789xyz"), 9, kCrcInit), 0x0376E6E7u);
}

// Every length and start value against the CRC taken one bit at a time, so a fault in
// how whole words are taken shows at whichever length it hits.
TEST(Crc32Test, AgreesWithTheBitwiseCrc) {
  auto bitwise = [](const Bytes& data, size_t count, uint32_t r) {
    for (size_t i = 0; i < count; ++i) {
      r ^= uint32_t{data[i]} << 24;
      for (int k = 0; k < 8; ++k) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
    }
    return r;
  };
  Bytes data(300);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 131 + (i >> 3) * 7 + 1);
  for (uint32_t init : {kCrcInit, 0u, 0x12345678u}) {
    for (size_t count = 0; count <= data.size(); ++count)
      ASSERT_EQ(CalcCRC32(data.data(), count, init), bitwise(data, count, init)) << count << " bytes";
    // Any start inside the buffer: words are read without alignment.
    for (size_t start = 1; start < 8; ++start)
      ASSERT_EQ(CalcCRC32(data.data() + start, 100, init), bitwise(Bytes(data.begin() + start, data.end()), 100, init));
  }
}

// A NIT section with no descriptors and no transport streams: its body is the two
// empty loop-length words.
std::unique_ptr<TRawSection> EmptyNitSection() {
  auto s = std::make_unique<TRawSection>(HexToBytes("F0 00 F0 00"), 0x40, 0x1234);
  s->SetVersionNumber(0);
  return s;
}

TEST(BasicSectionTest, EmptyNitSectionEncodesWithCrc) {
  auto s = EmptyNitSection();
  EXPECT_EQ(s->SectionLength(), 13);
  EXPECT_FALSE(s->CRCOK());
  EXPECT_BYTES_EQ(HexToBytes("00 40 F0 0D 12 34 C1 00 00 F0 00 F0 00 00 00 00 00"), s->SectionData());
  s->UpdateCRC();
  EXPECT_TRUE(s->CRCOK());
  EXPECT_EQ(s->CRC32(), 0x004F911Bu);
  EXPECT_BYTES_EQ(HexToBytes("00 40 F0 0D 12 34 C1 00 00 F0 00 F0 00 00 4F 91 1B"), s->SectionData());
}

TEST(BasicSectionTest, CrcOverWholeSectionIsZero) {
  auto s = test::MakeSection(300, 0, 0);
  Bytes d = s->SectionData();
  EXPECT_EQ(CalcCRC32(d.data() + 1, d.size() - 1, kCrcInit), 0u);
  // A stale CRC does not feed into the next one.
  Bytes before = d;
  s->UpdateCRC();
  EXPECT_BYTES_EQ(before, s->SectionData());
}

TEST(BasicSectionTest, VersionBytePacking) {
  struct Case {
    uint8_t reserved2, version, currentNext, expected;
  };
  for (const Case& c : {Case{3, 31, 1, 0xFF}, Case{0, 0, 0, 0x00}, Case{2, 5, 0, 0x8A}, Case{0, 16, 1, 0x21}}) {
    TRawSection s;
    s.SetReserved2(c.reserved2);
    s.SetVersionNumber(c.version);
    s.SetCurrentNextIndicator(c.currentNext);
    EXPECT_EQ(s.SectionData()[6], c.expected) << int(c.reserved2) << "/" << int(c.version) << "/" << int(c.currentNext);
  }
}

TEST(BasicSectionTest, HeaderFieldsLandInPlace) {
  TRawSection s(HexToBytes("AA BB"), 0x41, 0xBEEF);
  s.SetSectionSyntaxIndicator(1);
  s.SetReservedFU1(0);
  s.SetReserved1(2);
  s.SetSectionNumber(7);
  s.SetLastSectionNumber(9);
  EXPECT_BYTES_EQ(HexToBytes("00 41 A0 0B BE EF C1 07 09 AA BB 00 00 00 00"), s.SectionData());
}

TEST(BasicSectionTest, SectionDataIsRebuiltIdentically) {
  auto s = EmptyNitSection();
  s->UpdateCRC();
  Bytes first = s->SectionData();
  EXPECT_BYTES_EQ(first, s->SectionData());
  // Built afresh: a changed field shows at once, the CRC only after UpdateCRC.
  s->SetVersionNumber(1);
  Bytes changed = s->SectionData();
  EXPECT_EQ(changed[6], 0xC3);
  EXPECT_BYTES_EQ(Bytes(first.end() - 4, first.end()), Bytes(changed.end() - 4, changed.end()));
}

}  // namespace
}  // namespace quillon
