#include <gtest/gtest.h>

#include <algorithm>

#include "editor/project_fixtures.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "support/language_fixture.h"

namespace quillon {
namespace {

using test::HexToBytes;
using test::kEndMarkerHex;
using test::kRowSignatureHex;
using test::kStartMarkerHex;
using test::ProjectTest;
using test::SavedBlock;

// Offsets in the block of an empty cable project.
constexpr size_t kNetworkTypeAt = 40;
constexpr size_t kNameAt = 44;
constexpr size_t kNetworkIdAt = 74;
constexpr size_t kVersionAt = 78;
constexpr size_t kOptionsAt = 82;
constexpr size_t kStreamCountAt = 85;
constexpr size_t kRowCountAt = 101;
constexpr size_t kListCountAt = 105;
constexpr size_t kVariantsAt = 109;
constexpr size_t kNitAt = 113;

const char* const kEmptyNitHex =
    "02000000"
    "FFFF 40 00 FFFF 00 00000000 00000000 00000000"
    "FFFF 41 00 FFFF 00 00000000 00000000 00000000";

std::string LeHex(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  return Format("%02X%02X%02X%02X", u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF, u >> 24);
}

// A row chunk as the grid writes it; `states` 8100 plain, 8101 selected.
std::string RowChunkHex(int32_t record, const char* states = "8100") {
  return Format("01000000 25000000 02000000 11000000 00000000 12000000 %s 32 00 00 00000000 04000000 04000000 %s",
                states, LeHex(record).c_str());
}

Bytes Splice(const Bytes& bytes, size_t at, size_t removed, const Bytes& inserted) {
  Bytes out(bytes.begin(), bytes.begin() + static_cast<long>(at));
  out.insert(out.end(), inserted.begin(), inserted.end());
  out.insert(out.end(), bytes.begin() + static_cast<long>(at + removed), bytes.end());
  return out;
}

size_t RowBlockAt(const Bytes& block) {
  Bytes sig = HexToBytes(kRowSignatureHex);
  auto it = std::search(block.begin(), block.end(), sig.begin(), sig.end());
  EXPECT_NE(it, block.end());
  return static_cast<size_t>(it - block.begin());
}

// `block` with its row-order block (of `rows` rows) replaced by `rowBlockHex`.
Bytes WithRowBlock(const Bytes& block, size_t rows, const std::string& rowBlockHex) {
  return Splice(block, RowBlockAt(block), 16 + 45 * rows, HexToBytes(rowBlockHex));
}

// Loads `bytes`; the message of the error, or "" when it loaded.
std::string LoadError(TNitEditor& editor, const Bytes& bytes, int fileVer = 2) {
  TMemoryStream stream(bytes);
  try {
    EXPECT_TRUE(editor.LoadConfiguration(&stream, fileVer, 2));
  } catch (const QuillonError& e) {
    return e.what();
  }
  return "";
}

TEST_F(ProjectTest, BlockOfANewCableProject) {
  auto editor = MakeEditor();
  editor->SetModified();
  EXPECT_BYTES_EQ(HexToBytes(std::string(kStartMarkerHex) + "00000000" +
                             "0D000000 5A00 6100 7200 6500 6D00 2000 4E00 6500 7400 7700 6F00 7200 6B00" +
                             "00000000 01000000 00 00 00 00000000" + kRowSignatureHex + "00000000" +
                             "00000000 01 00 00 00" + kEmptyNitHex + kEndMarkerHex),
                  SavedBlock(*editor));
  EXPECT_FALSE(editor->Modified());

  EXPECT_FALSE(editor->SaveConfiguration(nullptr));
  EXPECT_FALSE(editor->LoadConfiguration(nullptr, 2, 2));
}

TEST_F(ProjectTest, BlockRowOrderShowsTheSecondRecordFirst) {
  auto editor = MakeEditor();
  editor->AddStream();
  editor->AddStream();
  editor->Stream(0)->SetIdent(u"first");
  editor->Stream(1)->SetIdent(u"second");
  editor->SetRowOrder({1, 0});
  editor->SetSelectedRow(0);
  Bytes block = SavedBlock(*editor);
  size_t at = RowBlockAt(block);
  EXPECT_BYTES_EQ(HexToBytes(std::string(kRowSignatureHex) + "02000000" + RowChunkHex(1) + RowChunkHex(0, "8101")),
                  Bytes(block.begin() + static_cast<long>(at), block.begin() + static_cast<long>(at + 16 + 90)));

  auto loaded = MakeEditor();
  EXPECT_EQ(LoadError(*loaded, block), "");
  EXPECT_EQ(loaded->RowOrder(), (std::vector<int32_t>{1, 0}));
  EXPECT_EQ(loaded->SelectedRow(), 0);
  // The records keep the list order.
  EXPECT_EQ(loaded->Stream(0)->Ident(), u"first");
  EXPECT_EQ(loaded->Stream(1)->Ident(), u"second");
}

TEST_F(ProjectTest, BlockRoundTripsBothNetworkTypes) {
  for (bool terrestrial : {false, true}) {
    SCOPED_TRACE(terrestrial ? "terrestrial" : "cable");
    auto editor = MakeEditor();
    if (terrestrial)
      FillTerrestrialSample(*editor);
    else
      FillCableSample(*editor);
    Bytes block = SavedBlock(*editor);

    auto loaded = MakeEditor();
    loaded->SetNetworkName(u"typed");
    ASSERT_TRUE(loaded->Modified());
    ASSERT_EQ(LoadError(*loaded, block), "");
    EXPECT_FALSE(loaded->Modified());
    EXPECT_EQ(loaded->NetworkType(), editor->NetworkType());
    EXPECT_EQ(loaded->NetworkName(), editor->NetworkName());
    EXPECT_EQ(loaded->StreamCount(), editor->StreamCount());
    EXPECT_EQ(loaded->RowOrder(), editor->RowOrder());
    EXPECT_EQ(loaded->SelectedRow(), editor->SelectedRow());
    EXPECT_EQ(loaded->Variant(), editor->Variant());
    EXPECT_EQ(loaded->NIT().Actual()->Sections(), terrestrial ? 0 : 1);
    EXPECT_BYTES_EQ(block, SavedBlock(*loaded));
  }
}

TEST_F(ProjectTest, BlockTerrestrialIntoACableEditor) {
  auto terrestrial = MakeEditor();
  FillTerrestrialSample(*terrestrial);
  auto editor = MakeEditor();
  FillCableSample(*editor);

  ASSERT_EQ(LoadError(*editor, SavedBlock(*terrestrial)), "");
  EXPECT_EQ(editor->NetworkType(), TNetworkType::Terrestrial);
  EXPECT_TRUE(editor->CableEntryList().empty());
  EXPECT_EQ(editor->TerrestrialEntryList().size(), 2u);
  EXPECT_TRUE(editor->ChannelList().empty());
  EXPECT_EQ(editor->RowOrder(), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(editor->SelectedRow(), -1);
  // The NIT holds what the block held, nothing of the project before.
  EXPECT_EQ(editor->NIT().Actual()->Sections(), 0);
}

TEST_F(ProjectTest, BlockOptionAndVariantBytes) {
  struct Case {
    const char* name;
    int fileVer;
    TLcnVariant before;
    const char* variantHex;
    TLcnVariant expected;
  } cases[] = {
      {"EACEM", 2, TLcnVariant::ITC, "01 00 00 00", TLcnVariant::EACEM},
      {"ITC", 2, TLcnVariant::EACEM, "00 01 00 00", TLcnVariant::ITC},
      {"NorDig V1", 2, TLcnVariant::EACEM, "00 00 01 00", TLcnVariant::NorDigV1},
      {"NorDig V2", 2, TLcnVariant::EACEM, "00 00 00 01", TLcnVariant::NorDigV2},
      {"the last set byte wins", 2, TLcnVariant::EACEM, "01 00 01 00", TLcnVariant::NorDigV1},
      // Every byte clear deselects the current one; the build then uses NorDig V2.
      {"none set", 2, TLcnVariant::ITC, "00 00 00 00", TLcnVariant::NorDigV2},
      {"version 1: the byte after EACEM is NorDig V1", 1, TLcnVariant::EACEM, "00 01 00", TLcnVariant::NorDigV1},
      {"version 1: ITC has no byte and stays", 1, TLcnVariant::ITC, "00 00 00", TLcnVariant::ITC},
      {"version 1: a set byte deselects ITC", 1, TLcnVariant::ITC, "00 00 01", TLcnVariant::NorDigV2},
  };
  Bytes block = SavedBlock(*MakeEditor());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto editor = MakeEditor();
    editor->SetVariant(c.before);
    ASSERT_EQ(LoadError(*editor, Splice(block, kVariantsAt, 4, HexToBytes(c.variantHex)), c.fileVer), "");
    EXPECT_EQ(editor->Variant(), c.expected);
  }

  struct Options {
    const char* hex;
    bool sld, lcd, hd;
  } options[] = {
      {"01 00 00", true, false, false},
      {"00 01 01", false, true, true},
      {"01 00 01", true, false, false},  // no HD simulcast without logical channels
  };
  for (const Options& o : options) {
    SCOPED_TRACE(o.hex);
    auto editor = MakeEditor();
    ASSERT_EQ(LoadError(*editor, Splice(block, kOptionsAt, 3, HexToBytes(o.hex))), "");
    EXPECT_EQ(editor->AddSLDs(), o.sld);
    EXPECT_EQ(editor->AddLCDs(), o.lcd);
    EXPECT_EQ(editor->AddHDSimulLCN(), o.hd);
  }
}

// The editor must come out of a refused load exactly as it went in.
void ExpectRefusedAndUnchanged(TNitEditor& editor, const Bytes& bytes, const Bytes& before,
                               const std::string& expected = "") {
  editor.SetModified();
  std::string error = LoadError(editor, bytes);
  EXPECT_NE(error, "");
  if (!expected.empty()) {
    EXPECT_NE(error.find(expected), std::string::npos) << error;
  }
  EXPECT_TRUE(editor.Modified());
  EXPECT_BYTES_EQ(before, SavedBlock(editor));
}

TEST_F(ProjectTest, BlockEveryTruncationIsRefused) {
  auto source = MakeEditor();
  FillCableSample(*source);
  const Bytes block = SavedBlock(*source);

  auto editor = MakeEditor();
  FillTerrestrialSample(*editor);
  FillSampleNIT(*editor);
  const Bytes before = SavedBlock(*editor);
  for (size_t n = 0; n < block.size(); ++n) {
    SCOPED_TRACE(Format("first %zu of %zu bytes", n, block.size()));
    ExpectRefusedAndUnchanged(*editor, Bytes(block.begin(), block.begin() + static_cast<long>(n)), before);
    if (HasFailure()) break;
  }
}

TEST_F(ProjectTest, BlockHostileValuesAreRefused) {
  const test::TEnglishTexts english;
  struct Case {
    size_t at;
    const char* hex;
    const char* message;
  } cases[] = {
      {0, "00000040", "start marker length"},
      {kNetworkTypeAt, "02000000", "network type 2"},
      {kNameAt, "FFFFFFFF", "negative network name length"},
      {kNameAt, "FFFFFF7F", "network name length count 2147483647"},
      {kNetworkIdAt, "00000100", "network id 65536"},
      {kNetworkIdAt, "FFFFFFFF", "network id -1"},
      {kVersionAt, "20000000", "version number 32"},
      {kStreamCountAt, "FFFFFFFF", "negative cable transport stream count"},
      {kStreamCountAt, "E8030000", "cable transport stream count 1000"},
      {kRowCountAt, "FFFFFFFF", "negative row count"},
      {kRowCountAt, "00010000", "row count 256"},
      {kListCountAt, "FFFFFF80", "negative channel list count"},
      {kListCountAt, "10000000", "channel list count 16"},
      {kNitAt, "FFFFFF7F", "page record count"},
  };
  Bytes block = SavedBlock(*MakeEditor());
  auto editor = MakeEditor();
  FillCableSample(*editor);
  const Bytes before = SavedBlock(*editor);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ExpectRefusedAndUnchanged(*editor, Splice(block, c.at, 4, HexToBytes(c.hex)), before, c.message);
  }
}

// A block of two cable streams whose row-order block is `rowBlockHex`.
class RowOrderTest : public ProjectTest {
 protected:
  Bytes TwoStreams(const std::string& rowBlockHex) {
    auto editor = MakeEditor();
    editor->AddStream();
    editor->AddStream();
    return WithRowBlock(SavedBlock(*editor), 2, rowBlockHex);
  }
  std::string RowBlock(int32_t count, const std::string& chunks) {
    return std::string(kRowSignatureHex) + LeHex(count) + chunks;
  }
};

TEST_F(RowOrderTest, DamagedBlocksAreRefused) {
  const std::string dataChunk2 = "01000000 0A000000 04000000 02000000 0000";
  struct Case {
    const char* name;
    std::string rowBlock;
    const char* message;
  } cases[] = {
      {"version 3", "45 20 56 00 54 00 03 00 20 00 46 20 00000000",
       "Tree Struktur kann nicht geladen werden, da Version unbekannt."},
      {"version 1", "45 20 56 00 54 00 01 00 20 00 46 20 00000000",
       "Tree Struktur kann nicht geladen werden, da Version unbekannt."},
      {"first unit", "46 20 56 00 54 00 02 00 20 00 46 20 00000000",
       "Tree Struktur kann nicht geladen werden, da falsches Format."},
      {"last unit", "45 20 56 00 54 00 02 00 20 00 45 20 00000000",
       "Tree Struktur kann nicht geladen werden, da falsches Format."},
      {"index past the list", RowBlock(2, RowChunkHex(0) + RowChunkHex(2)), "Zeile 2 nennt Transportstrom 2"},
      {"negative index", RowBlock(1, RowChunkHex(-1)), "Zeile 1 nennt Transportstrom -1"},
      {"index twice", RowBlock(2, RowChunkHex(1) + RowChunkHex(1)), "nennt Transportstrom 1 ein zweites Mal"},
      {"row chunk past the end", RowBlock(1, "01000000 FFFFFF00"), "Chunk mit 16777215 Byte"},
      {"negative chunk size", RowBlock(1, "09000000 FFFFFFFF"), "Chunk mit -1 Byte"},
      {"data chunk past its row", RowBlock(1, "01000000 0C000000 04000000 08000000 01000000 00000000"),
       "Chunk mit 8 Byte"},
      {"chunk header cut by its row", RowBlock(1, "01000000 04000000 04000000"), "reichen für keinen Chunk"},
      {"data chunk without an index", RowBlock(1, dataChunk2), "Zeile 1 hat 2 Datenbytes"},
  };
  auto editor = MakeEditor();
  FillCableSample(*editor);
  const Bytes before = SavedBlock(*editor);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRefusedAndUnchanged(*editor, TwoStreams(c.rowBlock), before, c.message);
  }

  // Fewer than 12 bytes where the block starts.
  Bytes block = TwoStreams(RowBlock(0, ""));
  size_t at = RowBlockAt(block);
  ExpectRefusedAndUnchanged(*editor, Bytes(block.begin(), block.begin() + static_cast<long>(at + 11)), before,
                            "Tree Struktur kann nicht geladen werden, da nicht genügend daten verfügbar sind.");
}

TEST_F(RowOrderTest, UnknownChunksAreSkippedAndMissingRowsAppended) {
  const std::string unknownTop = "09000000 03000000 AABBCC";
  // Layout and data chunks around an unknown one and a nested child row.
  const std::string rowWithExtras = "01000000 3D000000 07000000 00000000 02000000 04000000 00000000"
                                    "01000000 0C000000 04000000 04000000 00000000"
                                    "04000000 04000000 01000000 05000000 01000000 FF";
  struct Case {
    const char* name;
    std::string rowBlock;
    std::vector<int32_t> rows;
    int32_t selected;
  } cases[] = {
      {"no rows", RowBlock(0, ""), {0, 1}, -1},
      {"one row", RowBlock(1, RowChunkHex(1)), {1, 0}, -1},
      {"selected row", RowBlock(2, RowChunkHex(1) + RowChunkHex(0, "8101")), {1, 0}, 0},
      {"unknown chunk counts as a row", RowBlock(3, unknownTop + RowChunkHex(1) + RowChunkHex(0)), {1, 0}, -1},
      {"unknown and child chunks inside a row", RowBlock(1, rowWithExtras), {1, 0}, -1},
      {"row without data", RowBlock(2, "01000000 00000000" + RowChunkHex(1)), {1, 0}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto editor = MakeEditor();
    ASSERT_EQ(LoadError(*editor, TwoStreams(c.rowBlock)), "");
    EXPECT_EQ(editor->RowOrder(), c.rows);
    EXPECT_EQ(editor->SelectedRow(), c.selected);
  }
}

}  // namespace
}  // namespace quillon
