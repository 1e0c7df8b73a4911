#pragma once
// Checks on an editor whose project came from outside, shared by the project targets.
#include "editor/nit_editor.h"
#include "platform/bytes.h"

namespace quillon::fuzz {

// An editor over the scratch folder's program folder.
TProgramPaths EditorPaths();

// The editor's project block as SaveConfiguration writes it.
Bytes SavedBlock(TNitEditor& editor);

// Builds the NIT from the project, answering Yes where the user could stop it. A build
// that stops leaves table 0 empty; a table that was built decodes from its packets to
// the same sections, and its decoded tree can be shown.
void CheckNitBuild(TNitEditor& editor);

}  // namespace quillon::fuzz
