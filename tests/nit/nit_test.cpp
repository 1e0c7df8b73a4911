#include <gtest/gtest.h>

#include "core/rpages.h"
#include "descriptors/logical_channel.h"
#include "descriptors/network.h"
#include "nit/nit_table.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "support/nit_fixtures.h"
#include "support/test_util.h"

namespace quillon {
namespace {

using test::Entry;
using test::FixLengths;
using test::HexToBytes;
using test::NetworkNameDescriptor;
using test::SetGeneratedHeader;

// network_id 1, version 1, name "Net", one entry 1/1 without descriptors.
void FillWorkedExample(TNISection& s) {
  SetGeneratedHeader(s, 0x0001, 1);
  s.SetTableID(0x40);
  s.NWDesc.push_back(NetworkNameDescriptor(u"Net"));
  s.TSEntry.push_back(Entry(1, 1));
  FixLengths(s);
  s.UpdateCRC();
}

const char* kWorkedExample =
    "00 40 F0 18 00 01 C3 00 00 F0 05 40 03 4E 65 74 F0 06 00 01 00 01 F0 00 65 01 AD 8A";

TRPages PacketsOf(const TBasicTable& table) {
  RawString all = BuildTablePackets(table);
  TRPages pages;
  for (size_t i = 0; i + RPAGE_LEN <= all.size(); i += RPAGE_LEN) pages.push_back(all.substr(i, RPAGE_LEN));
  return pages;
}

class NitTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetDescriptorState(); }
  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
};

TEST_F(NitTest, SectionBytes) {
  TNISection s;
  FillWorkedExample(s);
  EXPECT_EQ(s.NetworkDescriptorLength(), 5);
  EXPECT_EQ(s.TransportStreamLoopLength(), 6);
  EXPECT_EQ(s.SectionLength(), 24);
  EXPECT_BYTES_EQ(HexToBytes(kWorkedExample), s.SectionData());

  TNISection empty;
  SetGeneratedHeader(empty, 0x1234, 0);
  empty.SetTableID(0x40);
  FixLengths(empty);
  empty.UpdateCRC();
  EXPECT_BYTES_EQ(HexToBytes("00 40 F0 0D 12 34 C1 00 00 F0 00 F0 00 00 4F 91 1B"), empty.SectionData());
}

TEST_F(NitTest, LengthFieldsAreMaskedAndEntriesTakeSixBytes) {
  TNISection s;
  s.SetReservedFU2(0xFF);
  s.SetNetworkDescriptorLength(0x1005);
  s.SetReservedFU3(15);
  s.TSEntry.push_back(Entry(1, 0x0085));
  s.SetTransportStreamLoopLength(6);
  s.SetSectionLength(13 + 6);
  Bytes b = s.SectionData();
  EXPECT_EQ(b[9], 0xF0);
  EXPECT_EQ(b[10], 0x05);
  EXPECT_BYTES_EQ(HexToBytes("00 01 00 85 F0 00"), Bytes(b.begin() + 13, b.begin() + 19));
}

TEST_F(NitTest, ContentBeyondSectionLengthIsRefused) {
  TNISection s;
  FillWorkedExample(s);
  s.SetSectionLength(23);  // one byte short: the entry would run into the CRC
  EXPECT_THROW(s.SectionData(), EncodeError);
  s.SetSectionLength(2);   // not even the header fits
  EXPECT_THROW(s.SectionData(), EncodeError);
  s.SetSectionLength(30);  // longer: zero bytes before the CRC
  Bytes b = s.SectionData();
  ASSERT_EQ(b.size(), 34u);
  EXPECT_EQ(b[24], 0);
  EXPECT_EQ(b[29], 0);
}

TEST_F(NitTest, AddSectionNumbersAndStopsAt256) {
  TNITTable t(0x40);
  EXPECT_EQ(t.AddSection(0x40), 0);
  EXPECT_EQ(t.AddSection(0x40), 1);
  EXPECT_EQ(t.AddSection(0x40), 2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(t.Section(i)->SectionNumber(), i);
    EXPECT_EQ(t.Section(i)->LastSectionNumber(), 2);
    EXPECT_EQ(t.Section(i)->TableID(), 0x40);
  }
  for (int i = 3; i < 256; ++i) ASSERT_EQ(t.AddSection(0x40), i);
  EXPECT_EQ(t.AddSection(0x40), -1);
  EXPECT_EQ(t.Sections(), 256);
}

TEST_F(NitTest, DecodesItsOwnPackets) {
  TNITTable built(0x40);
  built.SetTableIdent({0x0010, 0x40, 0, 0x0001});
  FillWorkedExample(*built.Section(built.AddSection(0x40)));
  built.Section(0)->UpdateCRC();

  TNITTable t(0x40);
  ASSERT_TRUE(t.AddRPages(PacketsOf(built), kAnyAddID));
  ASSERT_EQ(t.Sections(), 1);
  TNISection* s = t.Section(0);
  EXPECT_TRUE(s->CRCOK());
  EXPECT_EQ(s->CRC32(), 0x6501AD8Au);
  EXPECT_EQ(s->NetworkID(), 1);
  EXPECT_EQ(t.TableIdent().PID, 0x0010);
  EXPECT_EQ(t.TableIdent().AddID, 0x0001);
  ASSERT_EQ(s->NWDesc.size(), 1u);
  auto* name = dynamic_cast<TNetworkNameDescriptor*>(s->NWDesc[0].get());
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->NetName, u"Net");
  ASSERT_EQ(s->TSEntry.size(), 1u);
  EXPECT_TRUE(s->TSEntry[0]->TSDescriptor.empty());
  EXPECT_EQ(s->TSEntry[0]->ReservedFU(), 15);
  EXPECT_BYTES_EQ(HexToBytes(kWorkedExample), s->SectionData());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(NitTest, CorruptedByteFailsTheCrcAndEmptiesTheTable) {
  TNITTable built(0x40);
  built.SetTableIdent({0x0010, 0x40, 0, 0x0001});
  FillWorkedExample(*built.Section(built.AddSection(0x40)));
  TRPages pages = PacketsOf(built);
  pages[0][4 + 1 + 12] = 'X';  // "Net" -> "NXt"

  TNITTable t(0x40);
  EXPECT_EQ(t.AddRPages(pages, kAnyAddID), false);
  EXPECT_EQ(t.Sections(), 0);
  EXPECT_EQ(t.GetSection(0), nullptr);
}

TEST_F(NitTest, PrivateDataSpecifierHoldsAcrossSectionsAndUnknownTagsAreReportedOnce) {
  TNITTable built(0x40);
  built.SetTableIdent({0x0010, 0x40, 0, 0x0001});
  for (int i = 0; i < 2; ++i) {
    TNISection& s = *built.Section(built.AddSection(0x40));
    SetGeneratedHeader(s, 0x0001, 3);
    s.SetTableID(0x40);
    if (i == 0) {
      auto pds = std::make_unique<TPrivDataSpecDescriptor>();
      pds->DataSpec = kPrivSpecNorDig;
      pds->Length = 4;
      s.NWDesc.push_back(std::move(pds));
      auto odd = std::make_unique<TUnknownDescriptor>();
      odd->Tag = 0x67;
      s.NWDesc.push_back(std::move(odd));
    }
    auto e = Entry(static_cast<uint16_t>(i + 1), 1);
    auto lcn = std::make_unique<TNorDigLogicalChannelDescriptorV1>();
    lcn->LogChEntry.push_back({0x0101, 1, 1, 1000});
    lcn->Length = 4;
    e->TSDescriptor.push_back(std::move(lcn));
    auto odd = std::make_unique<TUnknownDescriptor>();
    odd->Tag = 0x16;
    e->TSDescriptor.push_back(std::move(odd));
    s.TSEntry.push_back(std::move(e));
    FixLengths(s);
  }
  for (int i = 0; i < 2; ++i) built.Section(i)->UpdateCRC();

  TNITTable t(0x40);
  ASSERT_TRUE(t.AddRPages(PacketsOf(built), kAnyAddID));
  ASSERT_EQ(t.Sections(), 2);
  auto* lcn = dynamic_cast<TNorDigLogicalChannelDescriptorV1*>(t.Section(1)->TSEntry[0]->TSDescriptor[0].get());
  ASSERT_NE(lcn, nullptr);
  EXPECT_EQ(lcn->LogChEntry.at(0).ChannelNo, 1000);
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Unknown Descriptor(s): 0x67 0x16 "});

  // A new parse starts without a private data specifier.
  dialogs.Clear();
  TNITTable plain(0x40);
  built.Section(0)->NWDesc.erase(built.Section(0)->NWDesc.begin());
  FixLengths(*built.Section(0));
  built.Section(0)->UpdateCRC();
  ASSERT_TRUE(plain.AddRPages(PacketsOf(built), kAnyAddID));
  EXPECT_STREQ(plain.Section(1)->TSEntry[0]->TSDescriptor[0]->ClassName(), "TUserDefinedDescriptor");
}

TEST_F(NitTest, ContainerLayout) {
  TNIT nit;
  EXPECT_EQ(nit.SIType(), TSITableType::sittNIT);
  ASSERT_EQ(nit.TableCount(), 2);
  EXPECT_EQ(nit.GetTable(0)->TableIdent().TableID, 0x40);
  EXPECT_EQ(nit.GetTable(1)->TableIdent().TableID, 0x41);
  EXPECT_EQ(nit.GetTable(2), nullptr);
  EXPECT_EQ(nit.GetTable(-1), nullptr);
  EXPECT_EQ(nit.GetDescription(0), "NIT - Actual Network");
  EXPECT_EQ(nit.GetDescription(1), "NIT - Other Network");
  EXPECT_EQ(nit.GetDescription(2), "");
  nit.Actual()->AddSection(0x40);
  nit.Clear(5);
  EXPECT_EQ(nit.Actual()->Sections(), 1);
  nit.Delete();
  EXPECT_EQ(nit.Actual()->Sections(), 0);
}

TEST_F(NitTest, ContainerStreamOfAGeneratedTable) {
  TNIT nit;
  nit.Actual()->SetTableIdent({0x0010, 0x40, 0, 0x0001});
  for (int i = 0; i < 3; ++i) FillWorkedExample(*nit.Actual()->Section(nit.Actual()->AddSection(0x40)));
  TMemoryStream m;
  nit.SaveToStream(&m);
  EXPECT_BYTES_EQ(HexToBytes("02 00 00 00"
                             "10 00 40 00 01 00 01 03 00 00 00 03 00 00 00 01 01 01 00 00 00 00"
                             "FF FF 41 00 FF FF 00 00 00 00 00 00 00 00 00 00 00 00 00"),
                  m.Data());

  // No packets in the stream: loading empties both tables.
  m.Seek(0);
  nit.LoadFromStream(&m);
  EXPECT_EQ(nit.Actual()->Sections(), 0);
  EXPECT_EQ(nit.Other()->Sections(), 0);
}

TEST_F(NitTest, AddRPagesRoutesByTableId) {
  TNITTable built(0x41);
  built.SetTableIdent({0x0010, 0x41, 0, 0x0001});
  TNISection& s = *built.Section(built.AddSection(0x41));
  FillWorkedExample(s);
  s.SetTableID(0x41);
  s.UpdateCRC();

  TNIT nit;
  nit.Actual()->AddSection(0x40);  // must survive: no record for table 0x40
  TRPageInfoArr infos;
  AddRPageInfo({0x0010, 0x41, 0, 0xFFFF}, infos);
  infos[0]->RPages = PacketsOf(built);
  AddRPageInfo({0x0011, 0x40, 0, 0xFFFF}, infos);  // another PID: skipped
  EXPECT_TRUE(nit.AddRPages(infos));
  EXPECT_EQ(nit.Actual()->Sections(), 1);
  EXPECT_EQ(nit.Other()->Sections(), 1);
  EXPECT_EQ(nit.Other()->Section(0)->TableID(), 0x41);

  infos[0]->RPages[0][10] ^= 0x01;  // CRC error
  EXPECT_FALSE(nit.AddRPages(infos));
  EXPECT_EQ(nit.Other()->Sections(), 0);
}

// A table taken from packets must come back from the container's stream form as it was;
// packets that cannot give one leave the table as a fresh one is.
TEST_F(NitTest, OnlyPacketsThatHoldANitOnItsPidAreKept) {
  TNITTable built(0x40);
  built.SetTableIdent({0x0010, 0x40, 0, 0x0001});
  FillWorkedExample(*built.Section(built.AddSection(0x40)));
  const TRPages good = PacketsOf(built);
  ASSERT_EQ(good.size(), 1u);

  TMemoryStream fresh;
  TNIT().SaveToStream(&fresh);

  RawString otherPid = good[0];
  otherPid[2] = 0x30;  // PID 0x0030, the section intact
  RawString continuation = good[0];
  continuation[1] = 0x00;  // no payload_unit_start: opens no section
  for (const RawString& page : {otherPid, continuation}) {
    TNIT nit;
    TRPageInfoArr infos;
    AddRPageInfo({0x0010, 0x40, 0, 0xFFFF}, infos);
    infos[0]->RPages = {page};
    EXPECT_FALSE(nit.AddRPages(infos));
    EXPECT_EQ(nit.Actual()->Sections(), 0);
    EXPECT_EQ(nit.Actual()->TableIdent().PID, kAnyPID);
    TMemoryStream m;
    nit.SaveToStream(&m);
    EXPECT_BYTES_EQ(fresh.Data(), m.Data());
  }

  TNIT nit;
  TRPageInfoArr infos;
  AddRPageInfo({0x0010, 0x40, 0, 0xFFFF}, infos);
  infos[0]->RPages = good;
  ASSERT_TRUE(nit.AddRPages(infos));
  TMemoryStream m;
  nit.SaveToStream(&m);
  m.Seek(0);
  TNIT again;
  again.LoadFromStream(&m);
  ASSERT_EQ(again.Actual()->Sections(), 1);
  EXPECT_EQ(again.Actual()->TableIdent().PID, 0x0010);
  TMemoryStream m2;
  again.SaveToStream(&m2);
  EXPECT_BYTES_EQ(m.Data(), m2.Data());
}

}  // namespace
}  // namespace quillon
