#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "core/bits.h"
#include "platform/errors.h"
#include "platform/hex.h"

namespace quillon {
namespace {

// Writes (value, width) pairs, then reads them back.
struct BitsCase {
  const char* name;
  std::vector<std::pair<uint32_t, int>> fields;
  const char* hex;
};

const BitsCase kBitsCases[] = {
    {"Aligned", {{0x47, 8}, {0x4010, 16}, {0x12345678, 32}}, "47 40 10 12 34 56 78"},
    {"NibbleAndTwelve", {{0xF, 4}, {0x3FE, 12}, {0x1, 1}, {0x7F, 7}}, "F3 FE FF"},
    {"ValueMaskedToWidth", {{0xFFFF, 4}, {0x100, 8}, {0xFFFFFFFF, 4}}, "F0 0F"},
    {"StraddlesThreeBytes", {{0x5, 3}, {0x1FFFF, 17}, {0x0, 4}}, "BF FF F0"},
    {"Unaligned32", {{0x1, 1}, {0x80000001, 32}, {0x7F, 7}}, "C0 00 00 00 FF"},
    {"SingleBits", {{1, 1}, {0, 1}, {1, 1}, {1, 1}, {0, 1}, {0, 1}, {1, 1}, {0, 1}}, "B2"},
};

void PrintTo(const BitsCase& c, std::ostream* os) { *os << c.name; }

class BitsTest : public ::testing::TestWithParam<BitsCase> {};

TEST_P(BitsTest, WritesAndReadsBack) {
  const BitsCase& c = GetParam();
  int bits = 0;
  for (const auto& f : c.fields) bits += f.second;
  ByteWriter w(static_cast<size_t>((bits + 7) / 8));
  for (const auto& [value, width] : c.fields) w.PutBits(value, width);
  const Bytes bytes = w.Data();
  EXPECT_EQ(HexBytes(bytes), c.hex);

  ByteReader r(bytes);
  for (const auto& [value, width] : c.fields) {
    const uint32_t masked = width < 32 ? value & ((1u << width) - 1) : value;
    EXPECT_EQ(r.Bits(width), masked) << width << " bits";
  }
}

INSTANTIATE_TEST_SUITE_P(Core, BitsTest, ::testing::ValuesIn(kBitsCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Random widths at every bit offset: what the writer puts is what the reader takes.
TEST(BitsWalkTest, RandomFieldsRoundTrip) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::pair<uint32_t, int>> fields;
    size_t bits = 0;
    while (bits < 400) {
      const int width = std::uniform_int_distribution<int>(1, 32)(rng);
      uint32_t value = rng();
      if (width < 32) value &= (1u << width) - 1;
      fields.emplace_back(value, width);
      bits += static_cast<size_t>(width);
    }
    ByteWriter w((bits + 7) / 8);
    for (const auto& [value, width] : fields) w.PutBits(value, width);
    const Bytes bytes = w.Take();
    ByteReader r(bytes);
    for (size_t i = 0; i < fields.size(); ++i)
      ASSERT_EQ(r.Bits(fields[i].second), fields[i].first) << "round " << round << " field " << i;
  }
}

TEST(BitsWriterTest, BytesAlignedAndUnaligned) {
  const Bytes body = {0x12, 0x34, 0x56};
  ByteWriter aligned(4);
  aligned.PutU8(0xAB);
  aligned.PutBytes(body);
  EXPECT_EQ(HexBytes(aligned.Data()), "AB 12 34 56");

  ByteWriter shifted(4);
  shifted.PutBits(0xF, 4);
  shifted.PutBytes(body);
  shifted.PutBits(0x0, 4);
  EXPECT_EQ(HexBytes(shifted.Data()), "F1 23 45 60");
}

// A field written again after a seek holds the new value, not both.
TEST(BitsWriterTest, RewriteAfterSeekReplacesTheBits) {
  ByteWriter w(3);
  w.PutBits(0xFFFFFF, 24);
  w.SeekByte(1);
  w.PutBits(0x0, 4);
  w.PutBits(0xA, 4);
  EXPECT_EQ(HexBytes(w.Data()), "FF 0A FF");
}

TEST(BitsWriterTest, OverrunIsAnEncodeErrorAndWritesNothing) {
  ByteWriter w(2);
  w.PutBits(0x3, 12);
  EXPECT_THROW(w.PutBits(0xFF, 8), EncodeError);
  EXPECT_THROW(w.PutBytes(Bytes{1, 2}), EncodeError);
  w.PutBits(0xF, 4);
  EXPECT_EQ(HexBytes(w.Data()), "00 3F");
  ByteWriter aligned(1);
  EXPECT_THROW(aligned.PutBytes(Bytes{1, 2}), EncodeError);
  EXPECT_EQ(HexBytes(aligned.Data()), "00");
}

TEST(BitsReaderTest, ReadPastTheEndIsADecodeError) {
  const Bytes data = {0xAB, 0xCD};
  ByteReader r(data);
  EXPECT_EQ(r.Bits(4), 0xAu);
  EXPECT_THROW(r.Bits(13), DecodeError);
  EXPECT_EQ(r.Bits(12), 0xBCDu);
  EXPECT_THROW(r.U8(), DecodeError);
}

}  // namespace
}  // namespace quillon
