#pragma once
// Shared pieces of the descriptor tests: golden vectors both ways, the bit walk, and
// decoding the way the loop parser does.
#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "descriptors/descriptor.h"
#include "support/test_util.h"

namespace quillon::test {

using DescriptorBuilder = std::function<std::unique_ptr<TBasicDescriptor>()>;

// A builder for a D with `length` and the fields `fill` sets.
template <class D, class Fill>
DescriptorBuilder Build(uint8_t length, Fill fill) {
  return [=] {
    auto d = std::make_unique<D>();
    d->Length = length;
    fill(*d);
    return std::unique_ptr<TBasicDescriptor>(std::move(d));
  };
}

// Decodes `bytes` into a fresh D: tag and length first, then the body.
template <class D>
std::unique_ptr<D> DecodeAs(ByteView bytes) {
  auto d = std::make_unique<D>();
  d->Tag = bytes[0];
  d->Length = bytes[1];
  d->SetDescriptorData(bytes);
  return d;
}

struct GoldenCase {
  const char* name;
  DescriptorBuilder build;
  const char* hex;
};

inline std::string CaseName(const testing::TestParamInfo<GoldenCase>& info) { return info.param.name; }
inline void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name << ": " << c.hex; }

// The built object encodes to the bytes, and the bytes decoded into a fresh object of
// the same class (as the factory picks it) encode to the same bytes again.
inline void CheckGolden(const GoldenCase& c) {
  const Bytes expected = HexToBytes(c.hex);
  std::unique_ptr<TBasicDescriptor> built = c.build();
  EXPECT_BYTES_EQ(expected, built->DescriptorData());

  std::unique_ptr<TBasicDescriptor> fresh = CreateDescriptorForTag(expected[0], built->PrivSpec);
  ASSERT_STREQ(built->ClassName(), fresh->ClassName());
  fresh->Tag = expected[0];
  fresh->Length = expected[1];
  fresh->SetDescriptorData(expected);
  EXPECT_BYTES_EQ(expected, fresh->DescriptorData());
}

// One field of a fixed layout, reachable through a member path of D.
template <class D>
struct BitField {
  std::string name;
  int width;
  std::function<void(D&, uint32_t)> set;
  std::function<uint32_t(const D&)> get;
};

#define QUILLON_BIT_FIELD(D, path, width)                                                     \
  ::quillon::test::BitField<D> {                                                              \
    #path, width, [](D& d, uint32_t v) { d.path = static_cast<std::remove_cvref_t<decltype(d.path)>>(v); }, \
        [](const D& d) -> uint32_t { return d.path; }                                         \
  }

inline int OneBits(const Bytes& bytes) {
  int n = 0;
  for (uint8_t b : bytes) n += std::popcount(b);
  return n;
}

// Sets one bit at a time in each field (on top of `base`, where the walked fields are
// zero): the encoding must gain exactly one bit, and decoding must give that field
// back with only that bit while every other field keeps its base value.
template <class D>
void WalkBits(uint8_t length, const std::function<void(D&)>& base, const std::vector<BitField<D>>& fields) {
  D ref;
  ref.Length = length;
  base(ref);
  const int refOnes = OneBits(ref.DescriptorData());
  for (const BitField<D>& f : fields) {
    ASSERT_EQ(0u, f.get(ref)) << f.name << " must be zero in the base object";
    for (int bit = 0; bit < f.width; ++bit) {
      SCOPED_TRACE(f.name + " bit " + std::to_string(bit));
      D d;
      d.Length = length;
      base(d);
      f.set(d, 1u << bit);
      Bytes bytes = d.DescriptorData();
      EXPECT_EQ(refOnes + 1, OneBits(bytes)) << HexBytes(bytes);
      std::unique_ptr<D> back = DecodeAs<D>(bytes);
      for (const BitField<D>& g : fields)
        EXPECT_EQ(&g == &f ? 1u << bit : g.get(ref), g.get(*back)) << g.name;
    }
  }
}

// Input too short for a class's layout: the decoder throws DecodeError, and the factory
// turns it into a TUnknownDescriptor with the raw body and one error dialog.
struct TruncatedCase {
  const char* name;
  uint32_t privSpec;  // in force when the factory meets the tag
  const char* hex;
  const char* className;
};

inline std::string CaseName(const testing::TestParamInfo<TruncatedCase>& info) { return info.param.name; }
inline void PrintTo(const TruncatedCase& c, std::ostream* os) { *os << c.name << ": " << c.hex; }

void CheckTruncated(const TruncatedCase& c);

// Suites over the tables above; each family instantiates them with its own cases.
class GoldenVectors : public testing::TestWithParam<GoldenCase> {};
class TruncatedInput : public testing::TestWithParam<TruncatedCase> {};

// An object that is inconsistent with its Length or its length fields.
struct EncodeFailureCase {
  const char* name;
  DescriptorBuilder build;
};

// Encoding each case throws EncodeError.
void CheckEncodeFailures(std::span<const EncodeFailureCase> cases);

}  // namespace quillon::test
