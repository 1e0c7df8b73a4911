#pragma once
// Editors over a temporary program folder and sample projects for the project block and
// project file tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/nit_editor.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "support/test_util.h"

namespace quillon::test {

// The block's markers as written: length, then UTF-16LE.
inline const char* const kStartMarkerHex =
    "12000000 5B00 5400 4100 4200 4C00 4500 5F00 4500 4400 4900 5400 5F00 5300 5400 4100 5200 5400 5D00";
inline const char* const kEndMarkerHex =
    "10000000 5B00 5400 4100 4200 4C00 4500 5F00 4500 4400 4900 5400 5F00 4500 4E00 4400 5D00";
inline const char* const kRowSignatureHex = "45 20 56 00 54 00 02 00 20 00 46 20";

inline Bytes SavedBlock(TNitEditor& editor) {
  TMemoryStream stream;
  EXPECT_TRUE(editor.SaveConfiguration(&stream));
  return stream.Data();
}

class ProjectTest : public ::testing::Test {
 protected:
  std::unique_ptr<TNitEditor> MakeEditor() {
    TProgramPaths paths;
    paths.ProgramFolder = program_.Path();
    return std::make_unique<TNitEditor>(paths);
  }

  // Three cable streams with services, a channel list, every option on, NorDig V2, rows
  // shown as 2, 0, 1 with record 1 selected, and a NIT whose actual table holds a packet.
  void FillCableSample(TNitEditor& editor) {
    editor.SetNetworkName(u"Nord Netz \u00FC");
    editor.SetNetworkID(0x1234);
    editor.SetVersionNumber(7);
    editor.SetAddSLDs(true);
    editor.SetAddLCDs(true);
    editor.SetAddHDSimulLCN(true);
    editor.SetVariant(TLcnVariant::NorDigV2);
    for (int i = 0; i < 3; ++i) {
      size_t s = editor.AddStream();
      editor.Stream(s)->SetIdent(std::u16string(1, static_cast<char16_t>(u'A' + i)));
      editor.Stream(s)->SetTSID(static_cast<uint16_t>(i + 1));
    }
    editor.AddService(0, 0x01);
    editor.AddService(2, 0x02);
    editor.AddService(2, 0x19);
    auto list = std::make_unique<TChListData>();
    list->SetListID(3);
    list->SetListName(u"Main");
    list->SetCountryCode(('N' << 16) | ('O' << 8) | 'R');
    editor.ChannelList().push_back(std::move(list));
    editor.SetRowOrder({2, 0, 1});
    editor.SetSelectedRow(1);
    FillSampleNIT(editor);
  }

  void FillTerrestrialSample(TNitEditor& editor) {
    editor.SetNetworkType(TNetworkType::Terrestrial);
    editor.SetNetworkName(u"T");
    for (int i = 0; i < 2; ++i) editor.Stream(editor.AddStream())->SetTSID(static_cast<uint16_t>(0x100 + i));
    editor.AddService(1, 0x01);
    editor.SetVariant(TLcnVariant::ITC);
  }

  // One real NIT packet (actual network, one section) in the actual table.
  static void FillSampleNIT(TNitEditor& editor) {
    RawString packet = ToRaw(ReadFileBytes(SamplesDir() / "petrj-cz-dvbt2-mux21-nit.ts"));
    ASSERT_TRUE(editor.NIT().Actual()->AddRPages({packet}, kAnyAddID));
    ASSERT_EQ(editor.NIT().Actual()->Sections(), 1);
  }

  RecordingDialogs dialogs_;
  ScopedDialogs scoped_{dialogs_};
  TempDir program_;
};

}  // namespace quillon::test
