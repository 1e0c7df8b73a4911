#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rpages.h"
#include "nit/nit_table.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "support/core_fixtures.h"
#include "support/test_util.h"
#include "viewer/table_tree.h"
#include "viewer/viewer_test_util.h"

namespace quillon {
namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Real and compiled NITs: decoded, then shown without a message, every section's CRC
// confirmed, and the tree holding what the capture is known to carry.
TEST(SampleTrees, CapturesShowWhatTheyCarry) {
  struct {
    const char* file;
    int sections;
    int entries;
    std::vector<std::string> lines;
  } cases[] = {
      {"tsduck-test-165-jp-cable-nit.ts",
       1,
       1,
       {"      Transport Stream Entry |  |  | 375,000 MHz\n",
        "          Frequency | 32 Bit | 0x03750000 | 375,0000 MHz\n",
        "          Modulation | 8 Bit | 3 | 64 QAM\n"}},
      {"tsduck-test-006-astra-dvbs-nit-3sec.ts",
       3,
       104,
       {"  Network Information Section No. 2 |  |  |\n", "        Network Name | 8 Chars | ASTRA 1[0x00] |\n",
        "    LastSection Number | 8 Bit | 2 |\n"}},
      {"petrj-cz-dvbt2-mux21-nit.ts",
       1,
       1,
       {"    Network ID | 16 Bit | 0x3140 | 12608\n", "        Original Network ID | 16 Bit | 0x20CB | 8395\n",
        "        Reserverd For Future Use |  |  |\n", "          Data | 6 Bytes | "}},
      {"synthetic-tsduck-test-053-nordig-lcn.ts",
       1,
       0,
       {"      NorDig Logical Channel Descriptor V2 |  |  |\n",
        "            Channel List Name | 5 Chars | list2 |\n",
        "            Logical Channel Number | 14 Bit | 16383 |\n"}},
      {"synthetic-tsduck-test-067-dtg-lcn-hdsimulcast.ts",
       1,
       0,
       {"      ITC Logical Channel Descriptor |  |  |\n", "            Logical Channel Number | 10 Bit | 1021 |\n"}},
  };
  test::SeparatorScope comma(u',');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    RecordingDialogs dialogs;
    ScopedDialogs scoped(dialogs);
    ResetDescriptorState();
    TNIT nit;
    TRPageInfoArr infos;
    AddRPageInfo({kNitPID, kTableIdNitActual, 0, kAnyAddID}, infos);
    infos[0]->RPages = test::SplitPackets(ToRaw(ReadFileBytes(test::SamplesDir() / c.file)));
    ASSERT_TRUE(nit.AddRPages(infos));

    const std::string shown = test::TrimmedLines(RenderTreeText(CreateTree(nit)));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.Texts().front();
    EXPECT_TRUE(shown.starts_with("NIT - Actual Network |  |  |\n")) << shown;
    EXPECT_EQ(Count(shown, "\n  Network Information Section No. "), static_cast<size_t>(c.sections));
    EXPECT_EQ(Count(shown, "| CRC ok\n"), static_cast<size_t>(c.sections));
    EXPECT_EQ(Count(shown, "      Transport Stream Entry |"), static_cast<size_t>(c.entries));
    for (const std::string& line : c.lines) EXPECT_NE(shown.find(line), std::string::npos) << line << "\n" << shown;
  }
}

}  // namespace
}  // namespace quillon
