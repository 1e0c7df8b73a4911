#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::HexToBytes;

TEST(StreamTest, LittleEndianIntegers) {
  TMemoryStream s;
  s.WriteU8(0xAB);
  s.WriteU16(0x1234);
  s.WriteU32(0x89ABCDEF);
  s.WriteI32(-2);
  s.WriteBool(true);
  s.WriteBool(false);
  EXPECT_BYTES_EQ(HexToBytes("AB 34 12 EF CD AB 89 FE FF FF FF 01 00"), s.Data());
  s.Seek(0);
  EXPECT_EQ(s.ReadU8(), 0xAB);
  EXPECT_EQ(s.ReadU16(), 0x1234);
  EXPECT_EQ(s.ReadU32(), 0x89ABCDEFu);
  EXPECT_EQ(s.ReadI32(), -2);
  EXPECT_TRUE(s.ReadBool());
  EXPECT_FALSE(s.ReadBool());
  TMemoryStream other(HexToBytes("02"));
  EXPECT_TRUE(other.ReadBool());  // any non-zero byte
}

TEST(StreamTest, ExtendedValues) {
  const std::pair<long double, const char*> cases[] = {
      {346.0L, "00 00 00 00 00 00 00 AD 07 40"},
      {6.9L, "CD CC CC CC CC CC CC DC 01 40"},
      {0.0L, "00 00 00 00 00 00 00 00 00 00"},
      {-1.0L, "00 00 00 00 00 00 00 80 FF BF"},
  };
  for (auto [value, hex] : cases) {
    TMemoryStream s;
    s.WriteExtended(value);
    EXPECT_BYTES_EQ(HexToBytes(hex), s.Data());
    s.Seek(0);
    EXPECT_EQ(s.ReadExtended(), value) << hex;
  }
}

TEST(StreamTest, LengthPrefixedStrings) {
  TMemoryStream s;
  s.WriteString16(u"A\u00E9\u20AC");
  s.WriteString8(RawString("\x00\xFFz", 3));
  s.WriteString16(u"");
  EXPECT_BYTES_EQ(HexToBytes("03 00 00 00 41 00 E9 00 AC 20  03 00 00 00 00 FF 7A  00 00 00 00"), s.Data());
  s.Seek(0);
  EXPECT_EQ(s.ReadString16(), u"A\u00E9\u20AC");
  EXPECT_EQ(s.ReadString8(), RawString("\x00\xFFz", 3));
  EXPECT_EQ(s.ReadString16(), u"");
  // No count left to read: empty strings.
  EXPECT_EQ(s.ReadString8(), "");
  TMemoryStream shortCount(HexToBytes("05 00"));
  EXPECT_EQ(shortCount.ReadString16(), u"");
}

TEST(StreamTest, DamagedCountsAreRefused) {
  const std::pair<const char*, const char*> cases[] = {
      {"negative 8-bit", "FF FF FF FF 41"},
      {"8-bit past the end", "03 00 00 00 41 42"},
      {"huge 8-bit", "FF FF FF 7F 41"},
  };
  for (auto [name, hex] : cases) {
    TMemoryStream s(HexToBytes(hex));
    EXPECT_THROW(s.ReadString8(), StreamError) << name;
  }
  // Three UTF-16 units need six bytes.
  TMemoryStream wide(HexToBytes("03 00 00 00 41 00 42 00 43"));
  EXPECT_THROW(wide.ReadString16(), StreamError);

  TMemoryStream counts(HexToBytes("02 00 00 00 AA BB CC DD  02 00 00 00 AA  FE FF FF FF"));
  EXPECT_EQ(counts.ReadCount(2, "thing"), 2);
  counts.Seek(8);
  try {
    counts.ReadCount(4, "widget");
    FAIL() << "no error";
  } catch (const StreamError& e) {
    EXPECT_NE(std::string(e.what()).find("widget"), std::string::npos) << e.what();
  }
  counts.Seek(13);
  EXPECT_THROW(counts.ReadCount(0, "thing"), StreamError);
  counts.Seek(8);
  EXPECT_EQ(counts.ReadCount(0, "thing"), 2);  // no size per element: only the sign counts
}

TEST(StreamTest, ReadsNeverPassTheEnd) {
  TMemoryStream s(HexToBytes("01 02 03"));
  uint8_t buffer[8] = {};
  EXPECT_EQ(s.Read(buffer, 8), 3u);
  EXPECT_EQ(s.Read(buffer, 8), 0u);
  s.Seek(1);
  EXPECT_THROW(s.ReadU32(), StreamError);
  s.Seek(100);
  EXPECT_EQ(s.Position(), 3u);
  EXPECT_EQ(s.Remaining(), 0u);
  EXPECT_THROW(s.ReadU8(), StreamError);
  EXPECT_THROW(s.ReadExtended(), StreamError);
}

TEST(StreamTest, MemoryWritesOverwriteAndExtend) {
  TMemoryStream s(HexToBytes("01 02 03"));
  s.Seek(2);
  s.WriteU16(0xBBAA);
  EXPECT_BYTES_EQ(HexToBytes("01 02 AA BB"), s.Data());
}

TEST(FileStreamTest, RoundTripAndErrorsNameTheFile) {
  test::TempDir dir;
  auto path = dir / "data.bin";
  WriteFileBytes(path, HexToBytes("10 20 30"));
  EXPECT_BYTES_EQ(HexToBytes("10 20 30"), ReadFileBytes(path));
  {
    TFileStream f(path, TFileStream::Mode::Read);
    EXPECT_EQ(f.Size(), 3u);
    EXPECT_EQ(f.ReadU16(), 0x2010);
    EXPECT_EQ(f.Remaining(), 1u);
    EXPECT_THROW(f.ReadU16(), StreamError);
  }
  auto expectNamed = [](const std::filesystem::path& p, auto&& action) {
    try {
      action();
      ADD_FAILURE() << "no error for " << p;
    } catch (const StreamError& e) {
      EXPECT_NE(std::string(e.what()).find(p.string()), std::string::npos) << e.what();
    }
  };
  auto missing = dir / "missing.bin";
  expectNamed(missing, [&] { ReadFileBytes(missing); });
  expectNamed(missing, [&] { TFileStream f(missing, TFileStream::Mode::Read); });
  auto noFolder = dir / "no" / "such" / "file.bin";
  expectNamed(noFolder, [&] { WriteFileBytes(noFolder, HexToBytes("00")); });
  expectNamed(dir.Path(), [&] { ReadFileBytes(dir.Path()); });
}

}  // namespace
}  // namespace quillon
