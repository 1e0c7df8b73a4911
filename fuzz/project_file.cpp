// A project file (.nip) from anywhere, read over memory. A damaged file must leave the
// editor's project untouched; a file that loads must save and load again to the same
// bytes, and must build a NIT whose packets decode again.
#include <cstdint>

#include "editor/nit_editor.h"
#include "editor/project_file.h"
#include "editor_checks.h"
#include "fuzz_support.h"
#include "platform/stream.h"

using namespace quillon;

namespace {

const Bytes& UntouchedProject() {
  static const Bytes saved = [] {
    TNitEditor editor(fuzz::EditorPaths());
    return fuzz::SavedBlock(editor);
  }();
  return saved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  const Bytes& untouched = UntouchedProject();
  TNitEditor editor(fuzz::EditorPaths());
  try {
    LoadProjectBytes(editor, Bytes(data, data + size), "fuzz.nip");
  } catch (const ProjectFileError&) {
    FUZZ_CHECK(fuzz::SavedBlock(editor) == untouched);
    return 0;
  }
  FUZZ_CHECK(!editor.Modified());
  FUZZ_CHECK(editor.RowOrder().size() == editor.StreamCount());

  // What was loaded saves, and the saved block loads back to itself.
  const Bytes first = fuzz::SavedBlock(editor);
  {
    TNitEditor again(fuzz::EditorPaths());
    TMemoryStream stream(first);
    try {
      FUZZ_CHECK(again.LoadConfiguration(&stream, kProjectFileVersion, kProjectFileVersion));
    } catch (const QuillonError&) {
      FUZZ_CHECK(!"a saved project does not load");
    }
    FUZZ_CHECK(stream.Remaining() == 0);
    FUZZ_CHECK(fuzz::SavedBlock(again) == first);
  }

  fuzz::CheckNitBuild(editor);
  return 0;
}
