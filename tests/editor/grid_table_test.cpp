// The transport-stream and services grids over an editor: cell texts, editors, the rules
// that accept a new text, sorting, and what sorting leaves alone.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "descriptors/logical_channel.h"
#include "editor/cell_rules.h"
#include "editor/service_grid.h"
#include "editor/stream_grid.h"
#include "editor_fixture.h"
#include "platform/stream.h"
#include "vocabulary/number_text.h"

namespace quillon::test {
namespace {

std::string U8(std::u16string_view s) { return Utf16ToUtf8(s); }

std::vector<std::string> Texts(const std::vector<TPickItem>& items) {
  std::vector<std::string> out;
  for (const TPickItem& i : items) out.push_back(U8(i.Text));
  return out;
}

std::vector<int32_t> Codes(const std::vector<TPickItem>& items) {
  std::vector<int32_t> out;
  for (const TPickItem& i : items) out.push_back(i.Code);
  return out;
}

// One row of the message boxes shown, as "<kind>: <text>".
std::vector<std::string> Boxes(const RecordingDialogs& d) {
  std::vector<std::string> out;
  for (const auto& e : d.shown) out.push_back(std::string(DialogKindName(e.kind)) + ": " + e.text);
  return out;
}

std::string Box(DialogKind kind, const char* text) { return std::string(DialogKindName(kind)) + ": " + text; }

class GridTest : public EditorTest {
 protected:
  GridTest() { SetDecimalSeparator(u','); }
  ~GridTest() override { SetDecimalSeparator(u','); }

  // A column's cell text in display order.
  static std::vector<std::string> Column(TGridTable& grid, int column) {
    std::vector<std::string> out;
    for (size_t row = 0; row < grid.RowCount(); ++row) out.push_back(U8(grid.Text(grid.RecordAt(row), column)));
    return out;
  }

  TServiceData& Service(size_t stream, size_t index) { return *editor.Stream(stream)->ServiceList().at(index); }
};

// ---------------------------------------------------------------- columns

struct ColumnCase {
  int column;
  const char* header;
  TCellEditor kind;
  std::vector<std::string> pick;
};

const std::vector<std::string> kReserved(5, "Reserved For Future Use");

// Header, editor kind and pick-list entries of each column.
void ExpectColumns(const TGridTable& grid, std::span<const ColumnCase> cases) {
  ASSERT_EQ(grid.ColumnCount(), static_cast<int>(cases.size()));
  for (const ColumnCase& c : cases) {
    EXPECT_EQ(U8(grid.Header(c.column)), c.header);
    EXPECT_EQ(grid.Editor(c.column), c.kind) << c.header;
    EXPECT_EQ(Texts(grid.PickList(c.column)), c.pick) << c.header;
  }
}

TEST_F(GridTest, CableColumns) {
  std::vector<std::string> inner{"Not Defined",         "1/2 Conv. Code Rate", "2/3 Conv. Code Rate",
                                 "3/4 Conv. Code Rate", "5/6 Conv. Code Rate", "7/8 Conv. Code Rate",
                                 "8/9 Conv. Code Rate", "3/5 Conv. Code Rate", "4/5 Conv. Code Rate",
                                 "9/10 Conv. Code Rate"};
  inner.insert(inner.end(), kReserved.begin(), kReserved.end());
  inner.push_back("No Conv. Coding");
  const ColumnCase cases[] = {
      {0, "TS-ID", TCellEditor::IDText, {}},
      {1, "Net-ID", TCellEditor::IDText, {}},
      {2, "Org ID", TCellEditor::IDText, {}},
      {3, "Frequenz", TCellEditor::Text, {}},
      {4, "FEC Outer", TCellEditor::PickList, {"Not Defined", "No Outer FEC Coding", "RS(204/188)"}},
      {5, "Modulation", TCellEditor::PickList, {"Not Defined", "16 QAM", "32 QAM", "64 QAM", "128 QAM", "256 QAM"}},
      {6, "Symbolrate", TCellEditor::Text, {}},
      {7, "FEC Inner", TCellEditor::PickList, inner},
  };
  TStreamGridTable grid(editor, TNetworkType::Cable);
  ExpectColumns(grid, cases);
  // The five reserved entries all store code 10.
  EXPECT_EQ(Codes(grid.PickList(7)), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10, 10, 10, 15}));
}

TEST_F(GridTest, TerrestrialColumns) {
  const ColumnCase cases[] = {
      {0, "TS-ID", TCellEditor::IDText, {}},
      {1, "Net-ID", TCellEditor::IDText, {}},
      {2, "Org ID", TCellEditor::IDText, {}},
      {3, "Frequenz", TCellEditor::Text, {}},
      {4, "Bandbreite", TCellEditor::PickList, {"8 MHz", "7 MHz", "6 MHz", "5 MHz"}},
      {5, "Priorität", TCellEditor::PickList, {"LP (Low Priority)", "HP (High Priority)"}},
      {6, "TSI", TCellEditor::Text, {}},
      {7, "MFI", TCellEditor::Text, {}},
      {8, "Konstellation", TCellEditor::PickList, {"QPSK", "16 QAM", "64 QAM"}},
      {9, "Hierarchie", TCellEditor::PickList,
       {"Non Hierarchical, Native Interleaver", "Alpha = 1, Native Interleaver", "Alpha = 2, Native Interleaver",
        "Alpha = 4, Native Interleaver"}},
      {10, "HP Code Rate", TCellEditor::PickList, {"1/2", "2/3", "3/4", "5/6", "7/8"}},
      {11, "LP Code Rate", TCellEditor::PickList, {"1/2", "2/3", "3/4", "5/6", "7/8"}},
      {12, "Guard Int.", TCellEditor::PickList, {"1/32", "1/16", "1/8", "1/4"}},
      {13, "TransMode", TCellEditor::PickList, {"2k Mode", "8k Mode", "4k Mode"}},
  };
  TStreamGridTable grid(editor, TNetworkType::Terrestrial);
  ExpectColumns(grid, cases);
  for (const ColumnCase& c : cases) {
    std::vector<int32_t> codes;
    for (int32_t i = 0; i < static_cast<int32_t>(c.pick.size()); ++i) codes.push_back(i);
    EXPECT_EQ(Codes(grid.PickList(c.column)), codes) << c.header;
  }
}

TEST_F(GridTest, NewRowsShowTheirDefaults) {
  TStreamGridTable cable(editor, TNetworkType::Cable);
  editor.AddStream();
  std::vector<std::string> row;
  for (int c = 0; c < cable.ColumnCount(); ++c) row.push_back(U8(cable.Text(0, c)));
  EXPECT_EQ(row, (std::vector<std::string>{"0x0000", "0x0000", "0x0000", "0,000", "RS(204/188)", "256 QAM", "6,900",
                                           "Not Defined"}));

  editor.SetNetworkType(TNetworkType::Terrestrial);
  TStreamGridTable terrestrial(editor, TNetworkType::Terrestrial);
  EXPECT_EQ(cable.RowCount(), 0u) << "the cable grid shows nothing in a terrestrial project";
  editor.AddStream();
  row.clear();
  for (int c = 0; c < terrestrial.ColumnCount(); ++c) row.push_back(U8(terrestrial.Text(0, c)));
  EXPECT_EQ(row, (std::vector<std::string>{"0x0000", "0x0000", "0x0000", "0,000", "8 MHz", "HP (High Priority)", "1",
                                           "1", "64 QAM", "Non Hierarchical, Native Interleaver", "7/8", "7/8",
                                           "1/32", "8k Mode"}));
}

// ---------------------------------------------------------------- accepting texts

TEST_F(GridTest, IdColumnsTakeTheIdRule) {
  struct Case {
    const char16_t* text;
    uint16_t stored;  // the value afterwards; 7 is the value before
    bool refused;
  } const cases[] = {
      {u"0x0001", 1, false}, {u"1", 1, false},      {u"0", 7, true},       {u"0x0000", 7, true},
      {u"65536", 7, true},   {u"Sport", 7, true},   {u"0xFFFF", 0xFFFF, false},
  };
  TStreamGridTable grid(editor, TNetworkType::Cable);
  editor.AddStream();
  TTransportStreamData& r = *editor.Stream(0);
  for (int column : {0, 1, 2}) {
    for (const Case& c : cases) {
      r.SetTSID(7);
      r.SetNetID(7);
      r.SetOrgNetID(7);
      dialogs.Clear();
      EXPECT_EQ(grid.SetText(0, column, c.text), !c.refused) << U8(c.text);
      uint16_t v = column == 0 ? r.TSID() : column == 1 ? r.NetID() : r.OrgNetID();
      EXPECT_EQ(v, c.stored) << column << " " << U8(c.text);
      EXPECT_EQ(Boxes(dialogs), c.refused ? std::vector<std::string>{Box(DialogKind::Message,
                                                                         "Eingegebene PID ist ungültig!")}
                                          : std::vector<std::string>{})
          << U8(c.text);
    }
  }
}

TEST_F(GridTest, FrequencyAndSymbolRateUseTheUsersSeparator) {
  TStreamGridTable grid(editor, TNetworkType::Cable);
  editor.AddStream();
  auto& r = static_cast<TCableDescrData&>(*editor.Stream(0));

  SetDecimalSeparator(u'.');
  EXPECT_TRUE(grid.SetText(0, 3, u"346.25"));
  EXPECT_EQ(r.Freq(), 346.25L);
  EXPECT_EQ(U8(grid.Text(0, 3)), "346.250");
  EXPECT_FALSE(grid.SetText(0, 3, u"346,5"));
  EXPECT_EQ(r.Freq(), 346.25L);
  EXPECT_EQ(Boxes(dialogs), std::vector<std::string>{Box(DialogKind::ErrorOk, "Eingegebener Wert ist keine gültige Zahl!")});

  SetDecimalSeparator(u',');
  dialogs.Clear();
  EXPECT_TRUE(grid.SetText(0, 6, u"6,875"));
  EXPECT_EQ(r.SymbRate(), 6.875L);
  EXPECT_EQ(U8(grid.Text(0, 6)), "6,875");
  EXPECT_FALSE(grid.SetText(0, 6, u"schnell"));
  EXPECT_EQ(r.SymbRate(), 6.875L);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  // No range is checked here; the build refuses what the descriptor cannot carry.
  EXPECT_TRUE(grid.SetText(0, 3, u"123456789"));
  EXPECT_EQ(r.Freq(), 123456789.0L);
}

TEST_F(GridTest, TimeSlicingAndMpeFecTakeBytes) {
  editor.SetNetworkType(TNetworkType::Terrestrial);
  TStreamGridTable grid(editor, TNetworkType::Terrestrial);
  editor.AddStream();
  auto& r = static_cast<TTerrestrialDescrData&>(*editor.Stream(0));
  struct Case {
    const char16_t* text;
    int stored;
    const char* message;
  } const cases[] = {
      {u"0", 0, nullptr},
      {u"255", 255, nullptr},
      {u"256", 1, "Eingegebener Wert ist ungültig (0..255)!"},
      {u"-1", 1, "Eingegebener Wert ist ungültig (0..255)!"},
      {u"viel", 1, "Eingegebener Wert ist keine gültige Zahl!"},
  };
  for (int column : {6, 7}) {
    for (const Case& c : cases) {
      r.SetTimeSliceIndicator(1);
      r.SetMpeFecIndictor(1);
      dialogs.Clear();
      grid.SetText(0, column, c.text);
      EXPECT_EQ(column == 6 ? r.TimeSliceIndicator() : r.MpeFecIndictor(), c.stored) << U8(c.text);
      EXPECT_EQ(Boxes(dialogs), c.message ? std::vector<std::string>{Box(DialogKind::ErrorOk, c.message)}
                                          : std::vector<std::string>{})
          << U8(c.text);
    }
  }
}

TEST_F(GridTest, PickListsStoreTheCodeOfTheChosenEntry) {
  TStreamGridTable grid(editor, TNetworkType::Cable);
  editor.AddStream();
  auto& r = static_cast<TCableDescrData&>(*editor.Stream(0));
  EXPECT_TRUE(grid.SetCode(0, 7, 10));
  EXPECT_EQ(r.FECIn(), 10);
  EXPECT_TRUE(grid.SetText(0, 7, u"No Conv. Coding"));
  EXPECT_EQ(r.FECIn(), 15);
  EXPECT_TRUE(grid.SetText(0, 7, u"Reserved For Future Use"));
  EXPECT_EQ(r.FECIn(), 10);
  // No free text, and no code the list does not offer.
  EXPECT_FALSE(grid.SetText(0, 5, u"1024 QAM"));
  EXPECT_FALSE(grid.SetCode(0, 5, 6));
  EXPECT_FALSE(grid.SetCode(0, 7, 12));
  EXPECT_FALSE(grid.SetCode(0, 3, 1)) << "a text column takes no code";
  EXPECT_EQ(r.Modu(), 5);
  EXPECT_EQ(r.FECIn(), 10);
  EXPECT_TRUE(dialogs.shown.empty());
  // A stored code outside the list still shows its name.
  r.SetFECIn(12);
  EXPECT_EQ(U8(grid.Text(0, 7)), "Reserved For Future Use");
}

TEST_F(GridTest, AcceptedEditsMarkTheProjectModified) {
  TStreamGridTable grid(editor, TNetworkType::Cable);
  editor.AddStream();
  struct Case {
    int column;
    const char16_t* text;
    bool modifies;
  } const cases[] = {
      {0, u"0x0000", false},  // unchanged: not even the refusal of 0 comes up
      {0, u"0", false},       // refused
      {0, u"12", true},
      {0, u"0x000C", false},  // the same value in another form
      {3, u"346", true},
      {3, u"346,000", false},
      {5, u"64 QAM", true},
      {5, u"64 QAM", false},
  };
  for (const Case& c : cases) {
    editor.ResetModified();
    grid.SetText(0, c.column, c.text);
    EXPECT_EQ(editor.Modified(), c.modifies) << c.column << " " << U8(c.text);
  }
  editor.ResetModified();
  EXPECT_FALSE(grid.SetCode(0, 5, 3));
  EXPECT_FALSE(editor.Modified());
  EXPECT_TRUE(grid.SetCode(0, 4, 1));
  EXPECT_TRUE(editor.Modified());
  EXPECT_EQ(Boxes(dialogs), std::vector<std::string>{Box(DialogKind::Message, "Eingegebene PID ist ungültig!")});
}

// ---------------------------------------------------------------- sorting the stream grids

class StreamSortTest : public GridTest {
 protected:
  // Cable streams (TS-ID, frequency) in list order.
  void Add(std::initializer_list<std::pair<uint16_t, long double>> rows) {
    for (auto [tsid, freq] : rows) {
      size_t i = editor.AddStream();
      editor.Stream(i)->SetTSID(tsid);
      editor.Stream(i)->SetFreq(freq);
    }
  }
  std::vector<std::string> Shown() { return Column(grid, 0); }

  TStreamGridTable grid{editor, TNetworkType::Cable};
};

TEST_F(StreamSortTest, FirstClickOnTsIdSortsDescending) {
  Add({{2, 346}, {3, 354}, {1, 362}});
  EXPECT_EQ(grid.Sort().Column, 0);
  EXPECT_TRUE(grid.Sort().Ascending);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0x0002", "0x0003", "0x0001"})) << "not sorted at start";

  editor.ResetModified();
  EXPECT_TRUE(grid.HeaderClick(0));
  EXPECT_FALSE(grid.Sort().Ascending);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0x0003", "0x0002", "0x0001"}));
  EXPECT_TRUE(editor.Modified()) << "the row order is part of the project";
  EXPECT_EQ(editor.RowOrder(), (std::vector<int32_t>{1, 0, 2}));

  grid.HeaderClick(0);
  EXPECT_TRUE(grid.Sort().Ascending);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0x0001", "0x0002", "0x0003"}));
  // The records keep their list order, which is the NIT's.
  EXPECT_EQ(editor.Stream(0)->TSID(), 2);
  EXPECT_EQ(editor.Stream(2)->TSID(), 1);
}

TEST_F(StreamSortTest, ColumnsThatDoNotSortClearTheMarker) {
  Add({{2, 346}, {3, 354}, {1, 362}});
  for (int column : {1, 4, 7}) {
    grid.HeaderClick(0);  // some sort column
    const auto before = Shown();
    editor.ResetModified();
    EXPECT_FALSE(grid.HeaderClick(column));
    EXPECT_EQ(grid.Sort().Column, -1) << column;
    EXPECT_EQ(Shown(), before) << column;
    EXPECT_FALSE(editor.Modified());
  }
  // Without a sort column any click starts ascending.
  grid.HeaderClick(0);
  EXPECT_TRUE(grid.Sort().Ascending);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0x0001", "0x0002", "0x0003"}));
}

TEST_F(StreamSortTest, FirstClickOnAnotherColumnSortsAscending) {
  Add({{1, 362}, {2, 346}, {3, 354}});
  grid.HeaderClick(3);
  EXPECT_EQ(grid.Sort().Column, 3);
  EXPECT_TRUE(grid.Sort().Ascending);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0x0002", "0x0003", "0x0001"}));
  grid.HeaderClick(3);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0x0001", "0x0003", "0x0002"}));
}

TEST_F(StreamSortTest, SortableColumnsAndTheirKeys) {
  Add({{1, 346.0L}, {2, 346.2L}, {3, 345.9L}, {4, 330.0L}});
  auto cable = [&](size_t i) -> TCableDescrData& { return static_cast<TCableDescrData&>(*editor.Stream(i)); };
  const uint16_t onid[] = {3, 1, 2, 1};
  const uint8_t modu[] = {1, 5, 5, 3};
  const long double rate[] = {6.9L, 5.0L, 4.0L, 8.0L};
  for (size_t i = 0; i < 4; ++i) {
    cable(i).SetOrgNetID(onid[i]);
    cable(i).SetModu(modu[i]);
    cable(i).SetSymbRate(rate[i]);
  }
  struct Case {
    int column;
    std::vector<std::string> ascending;  // TS-IDs after the first click
  } const cases[] = {
      {2, {"0x0002", "0x0004", "0x0003", "0x0001"}},
      // 346.0, 346.2 and 345.9 lie less than half a MHz apart: equal keys keep their rows.
      {3, {"0x0004", "0x0002", "0x0003", "0x0001"}},
      {5, {"0x0001", "0x0004", "0x0002", "0x0003"}},
      {6, {"0x0003", "0x0002", "0x0001", "0x0004"}},
      {0, {"0x0001", "0x0002", "0x0003", "0x0004"}},
  };
  for (const Case& c : cases) {
    grid.HeaderClick(c.column);
    EXPECT_EQ(Shown(), c.ascending) << c.column;
  }
}

TEST_F(StreamSortTest, FrequencyKeysRoundTiesToEven) {
  // 346.5 - 346.0 and 344.5 - 345.0 round to 0: equal keys keep their rows. Rounding
  // halves away from zero would put 0x0002 before 0x0001 and 0x0004 before 0x0003.
  Add({{1, 346.5L}, {2, 346.0L}, {3, 344.5L}, {4, 345.0L}});
  grid.HeaderClick(3);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0x0003", "0x0004", "0x0001", "0x0002"}));
  grid.HeaderClick(3);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"0x0001", "0x0002", "0x0003", "0x0004"}));
}

TEST_F(StreamSortTest, TerrestrialGridSortsTsIdOrgIdAndFrequencyOnly) {
  editor.SetNetworkType(TNetworkType::Terrestrial);
  TStreamGridTable terrestrial(editor, TNetworkType::Terrestrial);
  for (int c = 0; c < terrestrial.ColumnCount(); ++c)
    EXPECT_EQ(terrestrial.Sortable(c), c == 0 || c == 2 || c == 3) << c;
  for (int c = 0; c < grid.ColumnCount(); ++c)
    EXPECT_EQ(grid.Sortable(c), c == 0 || c == 2 || c == 3 || c == 5 || c == 6) << c;
}

TEST_F(StreamSortTest, SortedRowsDoNotChangeTheNitAndAreSavedWithTheProject) {
  Add({{2, 346}, {3, 354}, {1, 362}});
  grid.HeaderClick(0);
  grid.HeaderClick(0);  // ascending: records 2, 0, 1
  ASSERT_TRUE(Build());
  std::vector<uint16_t> nit;
  for (const auto& e : BuiltSection(0).TSEntry) nit.push_back(e->TSID());
  EXPECT_EQ(nit, (std::vector<uint16_t>{2, 3, 1}));

  TMemoryStream stream;
  ASSERT_TRUE(editor.SaveConfiguration(&stream));
  TNitEditor loaded(editor.Paths());
  loaded.SetModulatorAddress("0.0.0.0");
  loaded.StoreLastIPOnClose = false;
  stream.Seek(0);
  ASSERT_TRUE(loaded.LoadConfiguration(&stream, 2, 2));
  TStreamGridTable shown(loaded, TNetworkType::Cable);
  EXPECT_EQ(Column(shown, 0), (std::vector<std::string>{"0x0001", "0x0002", "0x0003"}));
  EXPECT_EQ(loaded.Stream(0)->TSID(), 2);
}

// ---------------------------------------------------------------- services

class ServiceGridTest : public GridTest {
 protected:
  ServiceGridTest() {
    editor.AddStream();
    grid.SetStream(0);
  }
  TServiceData& Add(uint8_t type = 0x01) {
    size_t i = editor.AddService(0, type);
    grid.ServiceAppended();
    return Service(0, i);
  }

  TServiceGridTable grid{editor};
};

TEST_F(ServiceGridTest, Columns) {
  const ColumnCase cases[] = {
      {0, "Service Name", TCellEditor::Text, {}},       {1, "Service ID", TCellEditor::IDText, {}},
      {2, "Sichtbar", TCellEditor::PickList, {"Nein", "Ja"}}, {3, "Kanal Nummer", TCellEditor::Text, {}},
      {4, "HD Kanal Nummer", TCellEditor::Text, {}},    {5, "Kanal Liste", TCellEditor::PickList, {}},
  };
  ExpectColumns(grid, cases);
  AddChannelList(12, u"Sport", 0);
  AddChannelList(-1, u"", 0);
  AddChannelList(3, u"Kids 1", 0);
  EXPECT_EQ(Texts(grid.PickList(5)), (std::vector<std::string>{"12 - Sport", "-1 - ", "3 - Kids 1"}));
  EXPECT_EQ(Codes(grid.PickList(5)), (std::vector<int32_t>{12, -1, 3}));
}

TEST_F(ServiceGridTest, CellTexts) {
  TServiceData& s = Add();
  s.SetServiceName(u"\u0086[0x0012] Sport");
  s.SetServiceID(0x00FF);
  s.SetLogicalNumber(7);
  s.SetHDSimulLogicalNumber(107);
  std::vector<std::string> row;
  for (int c = 0; c < grid.ColumnCount(); ++c) row.push_back(U8(grid.Text(0, c)));
  EXPECT_EQ(row, (std::vector<std::string>{" Sport", "0x00FF", "Ja", "7", "107", ""}));
  s.SetVisible(false);
  EXPECT_EQ(U8(grid.Text(0, 2)), "Nein");
}

TEST_F(ServiceGridTest, ServiceIdAndChannelNumberRules) {
  TServiceData& s = Add();
  struct Case {
    int column;
    const char16_t* text;
    int32_t stored;  // 5 before each edit
    const char* message;
  } const cases[] = {
      {1, u"0x0001", 1, nullptr},
      {1, u"0xFFFF", 0xFFFF, nullptr},
      {1, u"0", 5, "Eingegebene Service-ID ist ungültig!"},
      {1, u"65536", 5, "Eingegebene Service-ID ist ungültig!"},
      {1, u"ARD", 5, "Eingegebene Service-ID ist ungültig!"},
      {3, u"ARD", 0, nullptr},
      {3, u"16383", 16383, nullptr},
      {3, u"16384", 5, "Eingegebene Kanal-Nummer ist ungültig (0..16383)!"},
      {3, u"-1", 5, "Eingegebene Kanal-Nummer ist ungültig (0..16383)!"},
      {4, u"ARD", 0, nullptr},
      {4, u"16384", 5, "Eingegebene Kanal-Nummer ist ungültig (0..16383)!"},
      {4, u"-1", 5, "Eingegebene Kanal-Nummer ist ungültig (0..16383)!"},
  };
  for (const Case& c : cases) {
    s.SetServiceID(5);
    s.SetLogicalNumber(5);
    s.SetHDSimulLogicalNumber(5);
    dialogs.Clear();
    grid.SetText(0, c.column, c.text);
    int32_t v = c.column == 1 ? s.ServiceID() : c.column == 3 ? s.LogicalNumber() : s.HDSimulLogicalNumber();
    EXPECT_EQ(v, c.stored) << c.column << " " << U8(c.text);
    EXPECT_EQ(Boxes(dialogs), c.message ? std::vector<std::string>{Box(DialogKind::Message, c.message)}
                                        : std::vector<std::string>{})
        << c.column << " " << U8(c.text);
  }
}

TEST_F(ServiceGridTest, NameIsStoredAsTypedInAllThreeForms) {
  TServiceData& s = Add();
  editor.ResetModified();
  EXPECT_TRUE(grid.SetText(0, 0, u"Caf\u00E9 \u20AC \u0416"));
  EXPECT_EQ(s.ServiceName(), u"Caf\u00E9 \u20AC \u0416");
  EXPECT_EQ(s.OrgServiceNameUni(), u"Caf\u00E9 \u20AC \u0416");
  EXPECT_EQ(s.OrgServiceName(), RawString("Caf\xE9 \x80 ?"));
  EXPECT_TRUE(editor.Modified());
}

TEST_F(ServiceGridTest, AutomaticServicesKeepNameAndId) {
  TServiceData& s = Add();
  s.SetAuto(1);
  s.SetServiceName(u"Auto");
  for (int c = 0; c < grid.ColumnCount(); ++c) EXPECT_EQ(grid.Editable(0, c), c >= 2) << c;
  EXPECT_FALSE(grid.SetText(0, 0, u"Neu"));
  EXPECT_FALSE(grid.SetText(0, 1, u"0x0010"));
  EXPECT_TRUE(grid.SetText(0, 3, u"9"));
  EXPECT_EQ(s.ServiceName(), u"Auto");
  EXPECT_EQ(s.ServiceID(), 0xFFFF);
  EXPECT_TRUE(dialogs.shown.empty());
  s.SetAuto(0);
  EXPECT_TRUE(grid.SetText(0, 0, u"Neu"));
}

TEST_F(ServiceGridTest, VisibleAndChannelListPickLists) {
  TServiceData& s = Add();
  AddChannelList(3, u"Kids", 0);
  AddChannelList(12, u"Sport", 0);
  EXPECT_TRUE(grid.SetText(0, 2, u"Nein"));
  EXPECT_FALSE(s.Visible());
  EXPECT_TRUE(grid.SetCode(0, 2, 1));
  EXPECT_TRUE(s.Visible());
  EXPECT_FALSE(grid.SetText(0, 2, u"Vielleicht"));
  EXPECT_TRUE(s.Visible());

  EXPECT_TRUE(grid.SetText(0, 5, u"12 - Sport"));
  EXPECT_EQ(s.ChannelListID(), 12);
  EXPECT_EQ(U8(grid.Text(0, 5)), "12 - Sport");
  EXPECT_TRUE(grid.SetCode(0, 5, 3));
  EXPECT_EQ(s.ChannelListID(), 3);
  EXPECT_FALSE(grid.SetCode(0, 5, 4)) << "no such list";
  EXPECT_EQ(s.ChannelListID(), 3);
}

TEST_F(ServiceGridTest, ChannelListCellOfADeletedListIsEmptiedWhenDrawn) {
  TServiceData& s = Add();
  AddChannelList(12, u"Sport", 0);
  s.SetChannelListID(12);
  editor.ChannelList().clear();
  EXPECT_EQ(s.ChannelListID(), 12) << "deleting the list leaves the service alone";
  EXPECT_EQ(U8(grid.Text(0, 5)), "");
  EXPECT_EQ(s.ChannelListID(), -1);
}

TEST_F(ServiceGridTest, Icons) {
  struct Case {
    uint8_t type;
    bool visible;
    int image;
  } const cases[] = {
      {0x01, true, kImageTV},     {0x01, false, kImageTVHidden}, {0x19, true, kImageTV},
      {0x0A, false, kImageRadioHidden}, {0x0C, true, kImageData}, {0x10, false, kImageDataHidden},
      {0x0E, false, kImageNone},  {0x0E, true, kImageNone},     {0x00, false, kImageNone},
  };
  for (const Case& c : cases) {
    grid.SetStream(-1);
    editor.Stream(0)->ClearServices();
    grid.SetStream(0);
    Add(c.type).SetVisible(c.visible);
    EXPECT_EQ(grid.ImageIndex(0, 0), c.image) << int{c.type} << " " << c.visible;
    for (int column = 1; column < grid.ColumnCount(); ++column) EXPECT_EQ(grid.ImageIndex(0, column), kImageNone);
  }
}

TEST_F(ServiceGridTest, SortingEveryColumn) {
  struct Row {
    const char16_t* name;
    uint16_t id;
    bool visible;
    int32_t lcn, hd, list;
  } const rows[] = {
      {u"\u0086zdf", 0x30, true, 2, -1, 5},
      {u"ARD", 0x10, false, -1, 7, -1},
      {u"arte", 0x20, true, 1, 3, 2},
      {u"Bibel TV", 0x40, false, 3, 1, 9},
  };
  for (const Row& r : rows) {
    TServiceData& s = Add();
    s.SetServiceName(r.name);
    s.SetServiceID(r.id);
    s.SetVisible(r.visible);
    s.SetLogicalNumber(r.lcn);
    s.SetHDSimulLogicalNumber(r.hd);
    s.SetChannelListID(r.list);
  }
  auto ids = [&] {
    std::vector<std::string> out = Column(grid, 1);
    for (std::string& s : out) s = s.substr(4);  // "0x0030" -> "30"
    return out;
  };
  using V = std::vector<std::string>;
  struct Case {
    int column;
    V first, second;  // ids after the first and the second click
  } const cases[] = {
      // Names without control characters and ASCII case: ARD, arte, Bibel TV, zdf.
      {0, {"30", "40", "20", "10"}, {"10", "20", "40", "30"}},  // column 0 starts as the sort column
      {1, {"10", "20", "30", "40"}, {"40", "30", "20", "10"}},
      {2, {"30", "20", "40", "10"}, {"40", "10", "30", "20"}},
      // -1 stays last in both directions.
      {3, {"20", "30", "40", "10"}, {"40", "30", "20", "10"}},
      {4, {"40", "20", "10", "30"}, {"10", "20", "40", "30"}},
      {5, {"20", "30", "40", "10"}, {"40", "30", "20", "10"}},
  };
  for (const Case& c : cases) {
    grid.HeaderClick(c.column);
    EXPECT_EQ(ids(), c.first) << c.column;
    grid.HeaderClick(c.column);
    EXPECT_EQ(ids(), c.second) << c.column;
  }
  EXPECT_EQ(Service(0, 0).ServiceID(), 0x30) << "the services keep their list order";
}

TEST_F(ServiceGridTest, SortingLeavesTheNitInTheOrderServicesWereAdded) {
  SetOptions(false, true, false, TLcnVariant::EACEM);
  for (int32_t lcn : {30, 10, 20}) {
    TServiceData& s = Add();
    s.SetServiceID(static_cast<uint16_t>(lcn));
    s.SetLogicalNumber(lcn);
  }
  grid.HeaderClick(3);
  EXPECT_EQ(Column(grid, 3), (std::vector<std::string>{"10", "20", "30"}));
  ASSERT_TRUE(Build());
  const auto& loop = BuiltSection(0).TSEntry.at(0)->TSDescriptor;
  std::vector<uint16_t> numbers;
  for (const auto& d : loop)
    if (auto* lcd = dynamic_cast<const TEacemLogicalChannelDescriptor*>(d.get()))
      for (const auto& e : lcd->LogChEntry) numbers.push_back(e.ChannelNo);
  EXPECT_EQ(numbers, (std::vector<uint16_t>{30, 10, 20}));
}

TEST_F(ServiceGridTest, RowsFollowAddedAndRemovedServices) {
  for (uint16_t id : {3, 1, 2}) Add().SetServiceID(id);
  grid.HeaderClick(1);  // rows show records 1, 2, 0
  grid.HeaderClick(1);
  grid.HeaderClick(1);
  EXPECT_EQ(grid.Order(), (std::vector<int32_t>{1, 2, 0}));
  editor.DeleteService(0, 1);
  grid.ServiceRemoved(1);
  EXPECT_EQ(grid.Order(), (std::vector<int32_t>{1, 0}));
  EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"0x0002", "0x0003"}));
  Add().SetServiceID(9);
  EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"0x0002", "0x0003", "0x0009"})) << "a new row goes last";
  // A refill shows list order again, and the sort state stays.
  grid.SetStream(0);
  EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"0x0003", "0x0002", "0x0009"}));
  EXPECT_EQ(grid.Sort().Column, 1);
}

}  // namespace
}  // namespace quillon::test
