#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "descriptors/logical_channel.h"
#include "descriptors/network.h"
#include "nit/nit_table.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "support/core_fixtures.h"
#include "support/nit_fixtures.h"
#include "viewer/table_tree.h"
#include "viewer/viewer_test_util.h"

namespace quillon {
namespace {

using test::Entry;
using test::FixLengths;
using test::NetworkNameDescriptor;
using test::SetGeneratedHeader;
using test::Shown;

std::unique_ptr<TBasicDescriptor> Cable(uint32_t bcdFrequency) {
  auto d = std::make_unique<TCableDelivSysDescriptor>();
  d->Length = 11;
  d->Freq = bcdFrequency;
  d->ReservedFU = 0xFFF;
  d->FECo = 2;
  d->Modu = 3;
  d->Symb = 0x0069000;
  d->FECi = 15;
  return d;
}

std::unique_ptr<TBasicDescriptor> Terrestrial(uint32_t tenHertz) {
  auto d = std::make_unique<TTerrestDelivSysDescriptor>();
  d->Length = 11;
  d->CentreFreq = tenHertz;
  return d;
}

std::unique_ptr<TBasicDescriptor> Satellite(uint32_t bcdFrequency) {
  auto d = std::make_unique<TSatDelivSysDescriptor>();
  d->Length = 11;
  d->Freq = bcdFrequency;
  return d;
}

std::unique_ptr<TBasicDescriptor> ServiceList(uint16_t serviceId, uint8_t type) {
  auto d = std::make_unique<TServiceListDescriptor>();
  d->Service.push_back({serviceId, type});
  d->Length = 3;
  return d;
}

// A section of `table` numbered by the table, header as a generator sets it.
TNISection& NewSection(TNITTable& table, uint16_t networkId = 0x3001) {
  TNISection& s = *table.Section(table.AddSection(table.TableIdent().TableID));
  SetGeneratedHeader(s, networkId, 5);
  return s;
}

// Lengths from the content and a CRC over it.
void Seal(TNISection& s) {
  FixLengths(s);
  s.UpdateCRC();
}

class TableTreeTest : public ::testing::Test {
 protected:
  test::SeparatorScope comma{u','};
  TNIT nit;
};

TEST_F(TableTreeTest, SmallNitNodeByNode) {
  TNISection& s = NewSection(*nit.Actual());
  s.NWDesc.push_back(NetworkNameDescriptor(u"Net"));
  auto e = Entry(0x0001, 0x0085);
  e->TSDescriptor.push_back(Cable(0x03460000));
  e->TSDescriptor.push_back(ServiceList(0x0203, 0x02));
  s.TSEntry.push_back(std::move(e));
  Seal(s);

  TTableTree tree = CreateTree(nit);
  ASSERT_EQ(tree.RootCount(), 1);
  std::string expected = R"(NIT - Actual Network |  |  |
  Network Information Section No. 0 |  |  |
    Table ID | 8 Bit | 0x40 | Network Information Section - Actual Network
    Section Syntax Indicator | 1 Bit | 1 |
    Reserved For Future Use | 1 Bit | 1 |
    Reserved | 2 Bit | 3 |
    Section Length | 12 Bit | 42 |
    Network ID | 16 Bit | 0x3001 | 12289
    Reserved | 2 Bit | 3 |
    Version Number | 5 Bit | 5 |
    Current/Next Indicator | 1 Bit | 1 | Sub-Table is currently applicable
    Section Number | 8 Bit | 0 |
    LastSection Number | 8 Bit | 0 |
    Reserved For Future Use | 4 Bit | 15 |
    Network Descriptors Length | 12 Bit | 5 |
    Network Descriptors |  |  |
      Network Name Descriptor |  |  |
        Descriptor Tag | 8 Bit | 0x40 |
        Descriptor Length | 8 Bit | 3 |
        Network Name | 3 Chars | Net |
    Reserved For Future Use | 4 Bit | 15 |
    Transport Stream Loop Length | 12 Bit | 24 |
    Transport Stream Loop |  |  |
      Transport Stream Entry |  |  | 346,000 MHz
        Transport Stream ID | 16 Bit | 0x0001 | 1
        Original Network ID | 16 Bit | 0x0085 | 133, - / Satellite / BetaTechnik
        Reserved For Future Use | 4 Bit | 15 |
        Transport Descriptors Length | 12 Bit | 18 |
        Cable Delivery System Descriptor |  |  |
          Descriptor Tag | 8 Bit | 0x44 |
          Descriptor Length | 8 Bit | 11 |
          Frequency | 32 Bit | 0x03460000 | 346,0000 MHz
          Reserved For Future Use | 12 Bit | 4095 |
          FEC Outer | 4 Bit | 2 | RS(204/188)
          Modulation | 8 Bit | 3 | 64 QAM
          Symbol Rate | 28 Bit | 0x0069000 | 6,9000 MSym/s
          FEC Inner | 4 Bit | 15 | No Conv. Coding
        Service List Descriptor |  |  |
          Descriptor Tag | 8 Bit | 0x41 |
          Descriptor Length | 8 Bit | 3 |
          Service List Loop |  |  |
            Service List Entry |  |  | 515
              Service ID | 16 Bit | 0x0203 |
              Service Type | 8 Bit | 0x02 | Digital Radio Sound Service
)";
  expected += Format("    CRC 32 | 32 Bit | 0x%8.8X | CRC ok\n", s.CRC32());
  EXPECT_EQ(expected, test::TrimmedLines(RenderTreeText(tree)));
}

TEST_F(TableTreeTest, TablesWithoutSectionsGiveNoRoots) {
  EXPECT_TRUE(CreateTree(nit).Empty());

  NewSection(*nit.Other());
  TTableTree tree = CreateTree(nit);
  ASSERT_EQ(tree.RootCount(), 1);
  EXPECT_EQ(tree.Root(0)->Data.Name, u"NIT - Other Network");

  NewSection(*nit.Actual());
  tree = CreateTree(nit);
  ASSERT_EQ(tree.RootCount(), 2);
  EXPECT_EQ(tree.Root(0)->Data.Name, u"NIT - Actual Network");
  EXPECT_EQ(tree.Root(1)->Data.Name, u"NIT - Other Network");
}

// A container of another kind: its table nodes, nothing below them.
class TOtherContainer : public TSITable {
 public:
  TOtherContainer() {
    FSIType = TSITableType::sittSDT;
    auto t = std::make_unique<test::TCheckTable>(0x42);
    t->SetSection(0, test::MakeSection(20, 0, 0, 0x42));
    FTables.push_back(std::move(t));
    FDescription = {"SDT - Actual Transport Stream"};
  }
  void Delete() override {}
  bool AddRPages(const TRPageInfoArr&) override { return false; }
};

TEST_F(TableTreeTest, OtherContainersShowTheirTablesOnly) {
  TOtherContainer other;
  TTableTree tree = CreateTree(other);
  ASSERT_EQ(tree.RootCount(), 1);
  EXPECT_EQ(tree.Root(0)->Data.Name, u"SDT - Actual Transport Stream");
  EXPECT_EQ(tree.Root(0)->ChildCount(), 0);
}

// The node below `section` named `name`.
const TTableNode* Find(const TTableNode& parent, std::u16string_view name) {
  for (const auto& c : parent.Children())
    if (c->Data.Name == name) return c.get();
  return nullptr;
}

TEST_F(TableTreeTest, EmptyLoopsAndTheCrcVerdict) {
  Seal(NewSection(*nit.Actual()));
  NewSection(*nit.Actual());  // never given a CRC
  TTableTree tree = CreateTree(nit);
  ASSERT_EQ(tree.RootCount(), 1);
  const TTableNode& root = *tree.Root(0);
  ASSERT_EQ(root.ChildCount(), 2);
  struct {
    int section;
    const char16_t* name;
    const char16_t* crcInfo;
  } cases[] = {{0, u"Network Information Section No. 0", u"CRC ok"},
               {1, u"Network Information Section No. 1", u"Wrong CRC"}};
  for (const auto& c : cases) {
    const TTableNode& s = *root.Child(c.section);
    EXPECT_EQ(s.Data.Name, c.name);
    ASSERT_EQ(s.ChildCount(), 18);
    for (auto loop : {u"Network Descriptors", u"Transport Stream Loop"}) {
      const TTableNode* n = Find(s, loop);
      ASSERT_NE(n, nullptr);
      EXPECT_EQ(n->ChildCount(), 0);
    }
    EXPECT_EQ(s.Child(17)->Data.Name, u"CRC 32");
    EXPECT_EQ(s.Child(17)->Data.Info, c.crcInfo);
  }
}

TEST_F(TableTreeTest, MissingSectionsAndEmptySlotsAreSkipped) {
  TNISection& s = NewSection(*nit.Actual());
  s.NWDesc.push_back(nullptr);
  s.NWDesc.push_back(NetworkNameDescriptor(u"Net"));
  s.TSEntry.push_back(nullptr);
  auto e = Entry(7, 1);
  e->TSDescriptor.push_back(nullptr);
  e->TSDescriptor.push_back(Cable(0x03460000));
  s.TSEntry.push_back(std::move(e));
  nit.Actual()->SetSection(2, std::make_unique<TNISection>());  // section 1 missing

  TTableTree tree = CreateTree(nit);
  const TTableNode& root = *tree.Root(0);
  ASSERT_EQ(root.ChildCount(), 2);
  EXPECT_EQ(root.Child(1)->Data.Name, u"Network Information Section No. 2");
  const TTableNode& section = *root.Child(0);
  ASSERT_EQ(Find(section, u"Network Descriptors")->ChildCount(), 1);
  const TTableNode& loop = *Find(section, u"Transport Stream Loop");
  ASSERT_EQ(loop.ChildCount(), 1);
  const TTableNode& entry = *loop.Child(0);
  ASSERT_EQ(entry.ChildCount(), 5);
  EXPECT_EQ(entry.Child(4)->Data.Name, u"Cable Delivery System Descriptor");
  EXPECT_EQ(entry.Data.Info, u"346,000 MHz");
}

struct SummaryCase {
  const char* name;
  std::function<void(TTransportStreamEntry&)> fill;
  char16_t separator;
  std::u16string info;
};

void PrintTo(const SummaryCase& c, std::ostream* os) { *os << c.name; }

class EntrySummary : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(EntrySummary, InfoOfTheEntryNode) {
  const SummaryCase& c = GetParam();
  test::SeparatorScope separator(c.separator);
  TTransportStreamEntry entry;
  c.fill(entry);
  TTableTree tree;
  TTableNode& node = tree.AddRoot(u"Transport Stream Entry");
  AddTSEntryNodes(node, entry);
  EXPECT_EQ(node.Data.Info, c.info);
  EXPECT_EQ(node.ChildCount(), 4 + static_cast<int>(entry.TSDescriptor.size()));
}

template <class... Make>
std::function<void(TTransportStreamEntry&)> With(Make... make) {
  return [=](TTransportStreamEntry& e) { (e.TSDescriptor.push_back(make()), ...); };
}

const SummaryCase kSummaryCases[] = {
    {"Cable346MHz", With([] { return Cable(0x03460000); }), u',', u"346,000 MHz"},
    {"CableWithPoint", With([] { return Cable(0x03460000); }), u'.', u"346.000 MHz"},
    {"CableRounded", With([] { return Cable(0x03465678); }), u'.', u"346.568 MHz"},
    {"CableNotBcd", With([] { return Cable(0x034A0000); }), u',', u"0,000 MHz"},
    {"Terrestrial474MHz", With([] { return Terrestrial(47400000); }), u',', u"474,000 MHz"},
    {"Satellite", With([] { return Satellite(0x01175000); }), u',', u"11,750 GHz"},
    {"NoDeliveryDescriptor", With([] { return NetworkNameDescriptor(u"Net"); }), u',', u""},
    {"LaterDeliveryWins", With([] { return Cable(0x03460000); }, [] { return Terrestrial(47400000); }), u',',
     u"474,000 MHz"},
    {"OtherDescriptorsKeepIt", With([] { return Cable(0x03460000); }, [] { return ServiceList(1, 1); }), u',',
     u"346,000 MHz"},
};
INSTANTIATE_TEST_SUITE_P(Delivery, EntrySummary, ::testing::ValuesIn(kSummaryCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Encoding refuses its own content: the fallback display of a class that does not
// match its tag then fails half-way through the table.
class TBrokenDescriptor : public TBasicDescriptor {
 public:
  TBrokenDescriptor() { Tag = 0x40; }
  const char* ClassName() const override { return "TBrokenDescriptor"; }
  Bytes DescriptorData() const override { throw EncodeError("broken"); }
  void SetDescriptorData(ByteView) override {}
};

TEST_F(TableTreeTest, AnErrorEndsOnlyItsTable) {
  TNISection& actual = NewSection(*nit.Actual());
  actual.NWDesc.push_back(NetworkNameDescriptor(u"Net"));
  actual.NWDesc.push_back(std::make_unique<TBrokenDescriptor>());
  actual.NWDesc.push_back(NetworkNameDescriptor(u"Never"));
  NewSection(*nit.Actual());
  Seal(NewSection(*nit.Other()));

  TTableTree tree;
  ASSERT_NO_THROW(tree = CreateTree(nit));
  ASSERT_EQ(tree.RootCount(), 2);

  // The actual table stops inside the broken descriptor: no later node, no later section.
  const TTableNode& table = *tree.Root(0);
  ASSERT_EQ(table.ChildCount(), 1);
  const TTableNode& section = *table.Child(0);
  EXPECT_EQ(section.Children().back()->Data.Name, u"Network Descriptors");
  const TTableNode& loop = *section.Children().back();
  ASSERT_EQ(loop.ChildCount(), 2);
  EXPECT_EQ(Shown(*loop.Child(1)), R"(Network Name Descriptor |  |  |
  Descriptor Tag | 8 Bit | 0x40 |
  Descriptor Length | 8 Bit | 0 |
)");

  // The other table follows complete.
  const TTableNode& other = *tree.Root(1);
  ASSERT_EQ(other.ChildCount(), 1);
  EXPECT_EQ(other.Child(0)->ChildCount(), 18);
  EXPECT_EQ(other.Child(0)->Child(17)->Data.Info, u"CRC ok");
}

// Six entries, each down to depth 9 (a NorDig V2 channel entry's fields).
TEST_F(TableTreeTest, RowColoursBandEachEntry) {
  TNISection& s = NewSection(*nit.Actual());
  s.NWDesc.push_back(NetworkNameDescriptor(u"Net"));
  for (uint16_t i = 0; i < 6; ++i) {
    auto e = Entry(i, 1);
    auto lcn = std::make_unique<TNorDigLogicalChannelDescriptorV2>();
    TNorDigChListEntry list;
    list.LogChEntry.push_back({i, 1, 1, i});
    lcn->ChListEntry.push_back(list);
    e->TSDescriptor.push_back(std::move(lcn));
    s.TSEntry.push_back(std::move(e));
  }
  TTableTree tree = CreateTree(nit);
  const TTableNode& table = *tree.Root(0);
  const TTableNode& section = *table.Child(0);
  const TTableNode& loop = *Find(section, u"Transport Stream Loop");
  ASSERT_EQ(loop.ChildCount(), 6);

  EXPECT_EQ(table.Colour(), kTableRowColour);
  EXPECT_EQ(section.Colour(), kSectionRowColour);
  EXPECT_EQ(loop.Colour(), std::nullopt);
  EXPECT_EQ(section.Child(0)->Colour(), std::nullopt);  // "Table ID"
  EXPECT_EQ(Find(section, u"Network Descriptors")->Child(0)->Colour(), kEvenBandColour);

  struct {
    int entry;
    std::optional<uint32_t> band;
  } cases[] = {{0, kEvenBandColour}, {1, kOddBandColour}, {4, kEvenBandColour}, {5, kOddBandColour}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    // Every node of the entry: its band down to depth 7, the normal background below.
    std::function<void(const TTableNode&)> check = [&](const TTableNode& n) {
      EXPECT_EQ(n.Colour(), n.Depth() <= 7 ? c.band : std::nullopt) << Utf16ToUtf8(n.Data.Name) << " " << n.Depth();
      for (const auto& child : n.Children()) check(*child);
    };
    const TTableNode& entry = *loop.Child(c.entry);
    ASSERT_EQ(entry.Depth(), 3);
    check(entry);
    // The deepest nodes: the channel entry's fields at depth 9.
    const TTableNode* deep = entry.Child(4)->Child(2)->Child(0)->Child(5)->Child(0)->Child(0);
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(deep->Depth(), 9);
    EXPECT_EQ(deep->Data.Name, u"Service ID");
  }
}

}  // namespace
}  // namespace quillon
