// A project in its JSON form from anywhere. Text that is read must write as JSON again,
// that JSON must read back to the same project, and the project must build a NIT whose
// packets decode again.
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/json_project.h"
#include "editor/nit_editor.h"
#include "editor_checks.h"
#include "fuzz_support.h"

using namespace quillon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  TNitEditor editor(fuzz::EditorPaths());
  try {
    cli::ProjectFromJson(editor, std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const cli::JsonError&) {
    return 0;
  }
  FUZZ_CHECK(!editor.Modified());
  FUZZ_CHECK(editor.RowOrder().size() == editor.StreamCount());

  std::string text;
  try {
    text = cli::ProjectToJson(editor);
  } catch (const cli::JsonError&) {
    FUZZ_CHECK(!"a project read from JSON cannot be written as JSON");
  }
  {
    TNitEditor again(fuzz::EditorPaths());
    try {
      cli::ProjectFromJson(again, text);
    } catch (const cli::JsonError&) {
      FUZZ_CHECK(!"the project's own JSON does not read");
    }
    FUZZ_CHECK(cli::ProjectToJson(again) == text);
    FUZZ_CHECK(fuzz::SavedBlock(again) == fuzz::SavedBlock(editor));
  }

  fuzz::CheckNitBuild(editor);
  return 0;
}
