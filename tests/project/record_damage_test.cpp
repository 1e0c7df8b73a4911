// Damaged project records are refused and leave the target as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "project/record_fixtures.h"
#include "support/language_fixture.h"
#include "support/test_util.h"

namespace quillon::test {
namespace {

using ::testing::HasSubstr;

// Tries to load `bytes` into a copy of what `make` builds; expects a StreamError whose
// text holds `message` and a record that still saves as before, its services the same
// objects (the grids point at them).
template <class R, class Make>
void ExpectRefused(Make make, const Bytes& bytes, const std::string& message) {
  R target = make();
  const Bytes before = Saved(target);
  const void* firstService = nullptr;
  if constexpr (requires { target.ServiceList(); }) {
    if (!target.ServiceList().empty()) firstService = target.ServiceList().front().get();
  }

  TMemoryStream stream(bytes);
  try {
    target.LoadFromStream(stream);
    ADD_FAILURE() << "loaded without an error";
  } catch (const StreamError& e) {
    EXPECT_THAT(e.what(), HasSubstr(message));
  }
  EXPECT_BYTES_EQ(before, Saved(target));
  if constexpr (requires { target.ServiceList(); }) {
    if (firstService) {
      EXPECT_EQ(firstService, target.ServiceList().front().get());
    }
  }
}

template <class R, class Make>
void ExpectEveryCutRefused(const R& sample, Make makeTarget) {
  const Bytes whole = Saved(sample);
  for (size_t cut = 0; cut < whole.size(); ++cut) {
    SCOPED_TRACE("cut after " + std::to_string(cut) + " of " + std::to_string(whole.size()) + " bytes");
    ExpectRefused<R>(makeTarget, Bytes(whole.begin(), whole.begin() + cut), "");
  }
}

TEST(ProjectRecordDamage, StreamEndingInsideARecordIsRefused) {
  {
    SCOPED_TRACE("channel list");
    ExpectEveryCutRefused(MainNorway(), [] { return TChListData(); });
  }
  {
    SCOPED_TRACE("service");
    ExpectEveryCutRefused(*FullService(), [] { return *FullService(u"kept"); });
  }
  {
    SCOPED_TRACE("cable stream");
    ExpectEveryCutRefused(CableSample(), [] {
      TCableDescrData ts;
      ts.SetIdent(u"kept");
      ts.ServiceList().push_back(FullService(u"kept"));
      return ts;
    });
  }
  {
    SCOPED_TRACE("terrestrial stream");
    ExpectEveryCutRefused(TerrestrialSample(), [] {
      TTerrestrialDescrData ts;
      ts.SetMode(1);
      ts.ServiceList().push_back(FullService(u"kept"));
      return ts;
    });
  }
}

enum class Kind { ChList, Service, Cable, Terrestrial };

struct BadCountCase {
  const char* name;
  Kind kind;
  std::string hex;
  const char* message;
};

// Everything of a fresh cable or terrestrial record before its service count.
const std::string kCableHead =
    "00000000 00000000 000000000000 00000000000000000000 0000 00000000000000000000 00";
const std::string kTerrestHead = "00000000 00000000 000000000000 00000000000000000000 0000000000000000000000";
// A service whose name count (order 6) says -1.
const std::string kServiceBadName = "00000000 00000000 01000000 00000000 00000000 FFFFFFFF";

TEST(ProjectRecordDamage, NegativeOrOversizedCountsAreRefusedByName) {
  const test::TEnglishTexts english;
  const BadCountCase cases[] = {
      {"negative list name", Kind::ChList, "03000000 FFFFFFFF 00000000",
       "negative channel list name character count -1"},
      {"list name past the end", Kind::ChList, "03000000 04000000 4D00 6100 0000",
       "channel list name character count 4 at offset 4 exceeds the 6 bytes left"},
      {"huge module name", Kind::Service, "FFFFFF7F 00000000", "module name byte count 2147483647"},
      {"negative original name", Kind::Service,
       "00000000 00000000 01000000 00000000 00000000 00000000 00000000 FFFF FFFFFFFF FFFF 00 01 00000000 "
       "00000000 FFFFFFFF",
       "negative original service name byte count -1"},
      {"negative service count", Kind::Cable, kCableHead + "FFFFFFFF", "negative service count -1"},
      {"service count past the end", Kind::Cable, kCableHead + "01000000" + std::string(98, '0'),
       "service count 1 at offset 37 exceeds the 49 bytes left"},
      {"huge service count", Kind::Terrestrial, kTerrestHead + "FFFFFF7F" + kFreshServiceHex,
       "service count 2147483647"},
      {"huge ident", Kind::Terrestrial, "00000040" + std::string(200, '0'),
       "transport stream ident character count 1073741824"},
      {"bad second service", Kind::Cable,
       kCableHead + "02000000" + kFreshServiceHex + kServiceBadName + std::string(100, '0'),
       "service 2 of 2: Damaged data: negative service name character count -1 at offset 111"},
  };
  for (const BadCountCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes bytes = HexToBytes(c.hex);
    switch (c.kind) {
      case Kind::ChList:
        ExpectRefused<TChListData>(MainNorway, bytes, c.message);
        break;
      case Kind::Service:
        ExpectRefused<TServiceData>([] { return *FullService(); }, bytes, c.message);
        break;
      case Kind::Cable:
        ExpectRefused<TCableDescrData>(CableSample, bytes, c.message);
        break;
      case Kind::Terrestrial:
        ExpectRefused<TTerrestrialDescrData>(TerrestrialSample, bytes, c.message);
        break;
    }
  }
}

TEST(ProjectRecordDamage, RecordListKeepsItsRecordsWhenOneIsDamaged) {
  const test::TEnglishTexts english;
  TChListDataList lists;
  lists.push_back(std::make_unique<TChListData>(MainNorway()));
  const TChListData* kept = lists.front().get();

  // Two lists announced, the second cut short.
  TMemoryStream stream(HexToBytes("02000000 FFFFFFFF 00000000 00000000 05000000 01000000 4D00 0000"));
  try {
    LoadRecords(stream, lists, "channel list");
    ADD_FAILURE() << "loaded without an error";
  } catch (const StreamError& e) {
    EXPECT_THAT(e.what(), HasSubstr("channel list 2 of 2: "));
  }
  ASSERT_EQ(1u, lists.size());
  EXPECT_EQ(kept, lists.front().get());
  EXPECT_EQ(u"Main", kept->ListName());
}

}  // namespace
}  // namespace quillon::test
