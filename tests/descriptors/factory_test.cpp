#include <gtest/gtest.h>

#include "descriptors/descriptor.h"
#include "descriptors/logical_channel.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::HexToBytes;

class Factory : public testing::Test {
 protected:
  void SetUp() override { ResetDescriptorState(); }
  void TearDown() override { ResetDescriptorState(); }

  // Parses the whole of `hex` as one loop.
  TBasicDescriptorArray Parse(const std::string& hex) {
    const Bytes bytes = HexToBytes(hex);
    ByteView rest(bytes);
    TBasicDescriptorArray loop;
    EXPECT_TRUE(ParseDescriptorLoop(rest, bytes.size(), loop));
    EXPECT_TRUE(rest.empty());
    return loop;
  }

  RecordingDialogs dialogs;
  ScopedDialogs scope{dialogs};
};

TEST_F(Factory, PrivateDataSpecifierStaysInForceAcrossLoops) {
  TBasicDescriptorArray networkLoop = Parse("5F 04 00 00 00 29 40 00");
  TBasicDescriptorArray laterEntryLoop = Parse("83 04 01 01 C3 E8");
  ASSERT_EQ(1u, laterEntryLoop.size());
  EXPECT_STREQ("TNorDigLogicalChannelDescriptorV1", laterEntryLoop[0]->ClassName());
  EXPECT_EQ(kPrivSpecNorDig, DescriptorState().CurrentPrivSpec);

  ResetDescriptorState();
  TBasicDescriptorArray alone = Parse("83 04 01 01 C3 E8");
  ASSERT_EQ(1u, alone.size());
  EXPECT_STREQ("TUserDefinedDescriptor", alone[0]->ClassName());
  EXPECT_BYTES_EQ(HexToBytes("01 01 C3 E8"), static_cast<TUserDefinedDescriptor&>(*alone[0]).Data);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Factory, LaterSpecifierReplacesTheEarlierOne) {
  TBasicDescriptorArray loop = Parse("5F 04 00 00 00 28 83 04 01 01 FC 05 5F 04 00 00 00 29 83 04 01 01 C3 E8");
  ASSERT_EQ(4u, loop.size());
  EXPECT_STREQ("TPrivDataSpecDescriptor", loop[0]->ClassName());
  EXPECT_STREQ("TEacemLogicalChannelDescriptor", loop[1]->ClassName());
  EXPECT_STREQ("TNorDigLogicalChannelDescriptorV1", loop[3]->ClassName());
}

TEST_F(Factory, PrivateTagsFollowTheSpecifier) {
  struct Case {
    const char* pds;
    const char* tag;
    const char* className;
  };
  const Case cases[] = {
      {"00 00 00 28", "83", "TEacemLogicalChannelDescriptor"},
      {"00 00 00 28", "87", "TUserDefinedDescriptor"},
      {"00 00 00 28", "88", "THDSimulcastLogicalChannelDescriptor"},
      {"00 00 00 29", "83", "TNorDigLogicalChannelDescriptorV1"},
      {"00 00 00 29", "87", "TNorDigLogicalChannelDescriptorV2"},
      {"00 00 00 29", "88", "TUserDefinedDescriptor"},
      {"00 00 23 3A", "83", "TItcLogicalChannelDescriptor"},
      {"00 00 23 3A", "88", "TUserDefinedDescriptor"},
      {"00 00 00 28", "90", "TUserDefinedDescriptor"},
      {"00 00 28 00", "83", "TUserDefinedDescriptor"},
      {"FF FF FF FF", "83", "TUserDefinedDescriptor"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pds) + " / " + c.tag);
    ResetDescriptorState();
    // A body every candidate class can decode: 2 flat entries, or one NorDig V2 list
    // with one entry.
    TBasicDescriptorArray loop = Parse(std::string("5F 04 ") + c.pds + " " + c.tag + " 0A 00 00 00 00 00 04 00 00 00 00");
    ASSERT_EQ(2u, loop.size());
    EXPECT_STREQ(c.className, loop[1]->ClassName());
    EXPECT_TRUE(DescriptorState().UnknownTags.empty());
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Factory, TagsWithoutAClass) {
  struct Case {
    uint8_t tag;
    const char* className;
    bool reported;
  };
  const Case cases[] = {
      {0x00, "TUnknownDescriptor", true},      {0x01, "TUnknownDescriptor", true},
      {0x15, "TUnknownDescriptor", true},      {0x3F, "TUnknownDescriptor", true},
      {0x67, "TUnknownDescriptor", true},      {0x68, "TUnknownDescriptor", true},
      {0xFF, "TUnknownDescriptor", true},      {0x73, "TUnknownDescriptor", false},
      {0x78, "TUnknownDescriptor", false},     {0x7A, "TUnknownDescriptor", false},
      {0x7F, "TUnknownDescriptor", false},     {0x80, "TUserDefinedDescriptor", false},
      {0xFE, "TUserDefinedDescriptor", false}, {0x06, "TDataStreamAlignmentDescriptor", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Format("tag 0x%02X", c.tag));
    ResetDescriptorState();
    TBasicDescriptorArray loop = Parse(Format("%02X 01 AB", c.tag));
    ASSERT_EQ(1u, loop.size());
    EXPECT_STREQ(c.className, loop[0]->ClassName());
    EXPECT_EQ(c.tag, loop[0]->Tag);
    EXPECT_EQ(c.reported ? std::vector<uint8_t>{c.tag} : std::vector<uint8_t>{}, DescriptorState().UnknownTags);
  }
}

TEST_F(Factory, UnknownTagReportListsEachTagOnceInOrder) {
  TBasicDescriptorArray loop = Parse("16 00 67 01 00 16 00 73 00 16 00");
  EXPECT_EQ(5u, loop.size());
  EXPECT_EQ((std::vector<uint8_t>{0x16, 0x67}), DescriptorState().UnknownTags);
  EXPECT_EQ("Unknown Descriptor(s): 0x16 0x67 ", UnknownTagReportText());

  ShowUnknownTagReport();
  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ(DialogKind::Message, dialogs.shown[0].kind);
  EXPECT_EQ("Unknown Descriptor(s): 0x16 0x67 ", dialogs.shown[0].text);
}

TEST_F(Factory, NoReportWithoutUnknownTagsOrWhenSwitchedOff) {
  Parse("40 00 73 00");
  EXPECT_EQ("", UnknownTagReportText());
  ShowUnknownTagReport();
  Parse("FF 00");
  DescriptorState().ReportUnknownTags = false;
  ShowUnknownTagReport();
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Factory, ReportUsesUpperCaseHex) {
  Parse("FF 00 3A 00");
  EXPECT_EQ("Unknown Descriptor(s): 0xFF 0x3A ", UnknownTagReportText());
}

TEST_F(Factory, UserDefinedKeepsItsBodyRaw) {
  TUserDefinedDescriptor d;
  d.Tag = 0x90;
  d.Length = 3;
  d.Data = {0x01, 0x02, 0x03};
  EXPECT_BYTES_EQ(HexToBytes("90 03 01 02 03"), d.DescriptorData());
  d.Length = 4;
  EXPECT_THROW(d.DescriptorData(), EncodeError);
}

TEST_F(Factory, ZeroLengthDescriptorTakesTwoBytes) {
  const Bytes bytes = HexToBytes("20 00 40 00");
  std::unique_ptr<TBasicDescriptor> slot;
  EXPECT_EQ(2, AddDescriptor(slot, bytes));
  ASSERT_NE(nullptr, slot);
  EXPECT_STREQ("TUnknownDescriptor", slot->ClassName());
  EXPECT_TRUE(static_cast<TUnknownDescriptor&>(*slot).Data.empty());
  EXPECT_BYTES_EQ(HexToBytes("20 00"), slot->DescriptorData());
}

TEST_F(Factory, InputTooShortForAnyDescriptor) {
  struct Case {
    const char* hex;
    const char* message;  // nullptr: any message
  };
  const Case cases[] = {
      {"", "Error #1: Length = 0 < 1"},
      {"40", nullptr},
      {"40 05 41 42", "Error #2: Length = 4 < DescLen = 5 (+2)"},
      {"44 0B 03 46 00 00 FF F2 03 00 69 00", "Error #2: Length = 12 < DescLen = 11 (+2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    dialogs.Clear();
    const Bytes bytes = HexToBytes(c.hex);
    std::unique_ptr<TBasicDescriptor> slot;
    EXPECT_EQ(-1, AddDescriptor(slot, bytes));
    EXPECT_EQ(nullptr, slot);
    ASSERT_EQ(1u, dialogs.shown.size());
    EXPECT_EQ(DialogKind::Message, dialogs.shown[0].kind);
    if (c.message) {
      EXPECT_EQ(c.message, dialogs.shown[0].text);
    }
  }
}

TEST_F(Factory, WrongDataBecomesUnknownAndTheLoopGoesOn) {
  const Bytes bytes = HexToBytes("40 01 41 5F 02 00 00");
  ByteView rest(bytes);
  TBasicDescriptorArray loop;
  ASSERT_TRUE(ParseDescriptorLoop(rest, bytes.size(), loop));
  ASSERT_EQ(2u, loop.size());
  EXPECT_STREQ("TNetworkNameDescriptor", loop[0]->ClassName());
  EXPECT_STREQ("TUnknownDescriptor", loop[1]->ClassName());
  EXPECT_BYTES_EQ(HexToBytes("00 00"), static_cast<TUnknownDescriptor&>(*loop[1]).Data);
  EXPECT_EQ(kNoPrivSpec, DescriptorState().CurrentPrivSpec);
  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ(DialogKind::ErrorOk, dialogs.shown[0].kind);
  EXPECT_EQ(
      "DVB_Descriptors.AddDescriptor:\r\nDescriptor TPrivDataSpecDescriptor (Tag: 0x5F (95)) with wrong data - "
      "using TUnknownDescriptor instead",
      dialogs.shown[0].text);
}

TEST_F(Factory, LoopCountsALastDescriptorThatRunsPastItsLengthWhole) {
  const Bytes bytes = HexToBytes("40 02 41 42 41 03 00 01 01");
  ByteView rest(bytes);
  TBasicDescriptorArray loop;
  ASSERT_TRUE(ParseDescriptorLoop(rest, 3, loop));
  ASSERT_EQ(1u, loop.size());
  EXPECT_BYTES_EQ(HexToBytes("41 03 00 01 01"), Bytes(rest.begin(), rest.end()));
}

TEST_F(Factory, LoopStopsWhenNoDescriptorCanBeTaken) {
  const Bytes bytes = HexToBytes("40 02 41 42 40 05 41");
  ByteView rest(bytes);
  TBasicDescriptorArray loop;
  EXPECT_FALSE(ParseDescriptorLoop(rest, bytes.size(), loop));
  EXPECT_EQ(1u, loop.size());
}

TEST_F(Factory, LoopEncodesBackToItsBytes) {
  const char* hex = "5F 04 00 00 00 28 83 04 01 01 FC 05 88 04 01 01 FC 65 40 00 16 01 AA";
  TBasicDescriptorArray loop = Parse(hex);
  ASSERT_EQ(5u, loop.size());
  EXPECT_BYTES_EQ(HexToBytes(hex), EncodeDescriptorLoop(loop));
  EXPECT_EQ(HexToBytes(hex).size(), DescriptorLoopLength(loop));
}

}  // namespace
}  // namespace quillon
