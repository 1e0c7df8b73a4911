#pragma once
// The JSON form of a project, for version control, scripts and the command-line tool.
//
// Every stored field of the editor has a key; a missing key takes the value the editor
// gives a newly added row (a service's "origServiceName" and "origServiceNameUni"
// follow its "name" as a name typed into the grid does, its "ident" follows the
// stream's). Integers are JSON numbers or "0x" hex strings. Frequencies and symbol
// rates are JSON numbers, written as the shortest decimal that reads back to the same
// 80-bit value; a value without such a decimal (NaN, infinity, an encoding the x87
// unit would not produce) is written as "0x" and its 20 hex digits, sign and exponent
// first, and read back bit for bit.
#include <string>
#include <string_view>

#include "platform/errors.h"

namespace quillon {

class TNitEditor;

namespace cli {

// The JSON text is malformed, or a key is unknown, of the wrong type or out of its
// field's range; the text names the key's path ("transportStreams[1].services[0].lcn").
class JsonError : public QuillonError {
 public:
  using QuillonError::QuillonError;
};

// Replaces the editor's project by the one in `text` and clears the modified flag. On a
// JsonError the editor holds whatever was read up to the refused key.
void ProjectFromJson(TNitEditor& editor, std::string_view text);

// The editor's project as JSON text (UTF-8, ending in a line break). Throws JsonError
// when a text holds UTF-16 that is not valid (a lone surrogate has no JSON form).
std::string ProjectToJson(const TNitEditor& editor);

// The shortest decimal text that strtold reads back to the same 80-bit value, or the
// raw "0x" form for a value that has none.
std::string ExtendedToJsonText(long double value);

}  // namespace cli
}  // namespace quillon
