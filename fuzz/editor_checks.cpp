#include "editor_checks.h"

#include "core/rpages.h"
#include "fuzz_support.h"
#include "nit/nit_table.h"
#include "platform/stream.h"
#include "viewer/table_node.h"
#include "viewer/table_tree.h"

namespace quillon::fuzz {

namespace {

TRPages PagesOf(const TBasicTable& table) {
  RawString all = BuildTablePackets(table);
  TRPages pages;
  for (size_t i = 0; i + RPAGE_LEN <= all.size(); i += RPAGE_LEN) pages.push_back(all.substr(i, RPAGE_LEN));
  return pages;
}

}  // namespace

TProgramPaths EditorPaths() { return TProgramPaths{ScratchDir() / "program", "quillon"}; }

Bytes SavedBlock(TNitEditor& editor) {
  TMemoryStream stream;
  FUZZ_CHECK(editor.SaveConfiguration(&stream));
  return stream.Data();
}

void CheckNitBuild(TNitEditor& editor) {
  BeginInput();
  Recorded().defaultAnswer = DialogAnswer::Yes;
  if (!editor.CreateNITTable()) {
    FUZZ_CHECK(editor.NIT().Actual()->Sections() == 0);
    return;
  }
  const TNITTable& built = *editor.NIT().Actual();
  TNITTable decoded(kTableIdNitActual);
  FUZZ_CHECK(decoded.AddRPages(PagesOf(built), kAnyAddID));
  FUZZ_CHECK(decoded.Sections() == built.Sections());
  for (int i = 0; i < built.Sections(); ++i) {
    FUZZ_CHECK(decoded.Section(i)->CRCOK());
    FUZZ_CHECK(built.Section(i)->SectionData() == decoded.Section(i)->SectionData());
  }
  TNitEditor::ScrambleExport(AsBytes(BuildTablePackets(built)));
  RenderTreeText(CreateTree(editor.NIT()));
}

}  // namespace quillon::fuzz
