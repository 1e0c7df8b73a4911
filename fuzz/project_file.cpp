// A project file (.nip) from anywhere, read over memory. A damaged file must leave the
// editor's project untouched; a file that loads must save and load again to the same
// bytes, and must build a NIT whose packets decode again.
#include <cstdint>
#include <optional>

#include "core/rpages.h"
#include "editor/nit_editor.h"
#include "editor/project_file.h"
#include "fuzz_support.h"
#include "nit/nit_table.h"
#include "platform/stream.h"

using namespace quillon;

namespace {

TProgramPaths Paths() { return TProgramPaths{fuzz::ScratchDir() / "program", "quillon"}; }

Bytes Saved(TNitEditor& editor) {
  TMemoryStream stream;
  FUZZ_CHECK(editor.SaveConfiguration(&stream));
  return stream.Data();
}

const Bytes& UntouchedProject() {
  static const Bytes saved = [] {
    TNitEditor editor(Paths());
    return Saved(editor);
  }();
  return saved;
}

TRPages PagesOf(const TBasicTable& table) {
  RawString all = BuildTablePackets(table);
  TRPages pages;
  for (size_t i = 0; i + RPAGE_LEN <= all.size(); i += RPAGE_LEN) pages.push_back(all.substr(i, RPAGE_LEN));
  return pages;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  const Bytes& untouched = UntouchedProject();
  TNitEditor editor(Paths());
  try {
    LoadProjectBytes(editor, Bytes(data, data + size), "fuzz.nip");
  } catch (const ProjectFileError&) {
    FUZZ_CHECK(Saved(editor) == untouched);
    return 0;
  }
  FUZZ_CHECK(!editor.Modified());
  FUZZ_CHECK(editor.RowOrder().size() == editor.StreamCount());

  // What was loaded saves, and the saved block loads back to itself.
  const Bytes first = Saved(editor);
  {
    TNitEditor again(Paths());
    TMemoryStream stream(first);
    try {
      FUZZ_CHECK(again.LoadConfiguration(&stream, kProjectFileVersion, kProjectFileVersion));
    } catch (const QuillonError&) {
      FUZZ_CHECK(!"a saved project does not load");
    }
    FUZZ_CHECK(stream.Remaining() == 0);
    FUZZ_CHECK(Saved(again) == first);
  }

  // The loaded records build a NIT (or the build stops cleanly), and what was built
  // decodes from its packets.
  fuzz::BeginInput();
  fuzz::Recorded().defaultAnswer = DialogAnswer::Yes;  // go on where the user may stop
  if (editor.CreateNITTable()) {
    const TNITTable& built = *editor.NIT().Actual();
    TNITTable decoded(kTableIdNitActual);
    FUZZ_CHECK(decoded.AddRPages(PagesOf(built), kAnyAddID));
    FUZZ_CHECK(decoded.Sections() == built.Sections());
    for (int i = 0; i < built.Sections(); ++i) {
      FUZZ_CHECK(decoded.Section(i)->CRCOK());
      FUZZ_CHECK(built.Section(i)->SectionData() == decoded.Section(i)->SectionData());
    }
    TNitEditor::ScrambleExport(AsBytes(BuildTablePackets(built)));
  } else {
    FUZZ_CHECK(editor.NIT().Actual()->Sections() == 0);
  }
  return 0;
}
