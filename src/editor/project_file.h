#pragma once
// The project file (.nip): magic "NITP", format version, program version, then the
// editor's block. Also the main window's texts about projects and the status-bar form
// of a project's name.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/bytes.h"
#include "platform/errors.h"
#include "platform/message_table.h"

namespace quillon {

class TNitEditor;
class TStream;

// Message ids of the main window with their German defaults; the language layer replaces them.
enum class ProjectMsg {
  strsNewProjDefName,
  strsNoNitProjFile,
  strsWrongFileFormat,  // the file's version and the version written, as two "%d"
  strsAskForSaving,
  strsTrailingData,  // the number of bytes after the project, as "%d"
  strsNoMemory,
};

inline constexpr TMessageRow<ProjectMsg> kProjectMessageRows[] = {
    {ProjectMsg::strsNewProjDefName, "strsNewProjDefName", "Unbenannt.nip"},
    {ProjectMsg::strsNoNitProjFile, "strsNoNitProjFile", "Die gewählte Datei ist kein NIT-Projekt!"},
    {ProjectMsg::strsWrongFileFormat, "strsWrongFileFormat", "Falsches Dateiformat!\r\nVersion: %d  Benötigt: %d"},
    {ProjectMsg::strsAskForSaving, "strsAskForSaving", "Wollen Sie das aktuelle NIT-Projekt speichern?"},
    {ProjectMsg::strsTrailingData, "strsTrailingData",
     "Nach dem Ende des NIT-Projekts folgen noch %d Byte, die nicht dazugehören. Sie wurden nicht gelesen und "
     "fehlen nach dem nächsten Speichern."},
    {ProjectMsg::strsNoMemory, "strsNoMemory", "nicht genug Arbeitsspeicher, um das Projekt zu lesen."},
};
using TProjectMessages = TMessageTable<ProjectMsg, kProjectMessageRows>;

// In the active language (window "TMainForm" of the language file): the texts of a
// project read without a main window.
const TProjectMessages& ProjectMessages();

inline constexpr uint8_t kProjectFileVersion = 2;
// Written into every project; readers skip it.
inline constexpr const char* kProgramVersion = QUILLON_VERSION;

// A project file could not be read or written. what() names the file and the reason in
// the active language's texts where they exist.
class ProjectFileError : public QuillonError {
 public:
  ProjectFileError(std::filesystem::path file, const std::string& text)
      : QuillonError(text), file_(std::move(file)) {}
  const std::filesystem::path& File() const { return file_; }

 private:
  std::filesystem::path file_;
};

// True when `name` is a readable file whose first 12 bytes are the magic. Never throws.
bool IsNitProjectFile(const std::filesystem::path& name);

// What a load met that did not keep the project from loading.
struct TProjectLoadResult {
  uint64_t TrailingBytes = 0;  // after the editor block's end marker; not read
  std::string Warning;         // for the user, naming the file; empty when all is well
};

// Reads a project of format version 2 or 1 into `editor`. Throws ProjectFileError for a
// file that cannot be opened, is no regular file, is larger than kMaxWholeFileBytes, is
// no project, has another version or a damaged block; the editor then keeps the project
// it had.
TProjectLoadResult LoadProjectFile(TNitEditor& editor, const std::filesystem::path& name,
                                   const TProjectMessages& messages = ProjectMessages());
// The same with the editor block read by `readBlock` (fileVer, prgVer as for
// TNitEditor::LoadConfiguration), e.g. a panel that refreshes its widgets afterwards.
using TEditorBlockReader = std::function<void(TStream& stream, int fileVer, int prgVer)>;
TProjectLoadResult LoadProjectFile(const TEditorBlockReader& readBlock, const std::filesystem::path& name,
                                   const TProjectMessages& messages = ProjectMessages());
// Both for the bytes of a whole project file; `name` only names it in the errors.
TProjectLoadResult LoadProjectBytes(TNitEditor& editor, Bytes bytes, const std::filesystem::path& name,
                                    const TProjectMessages& messages = ProjectMessages());
TProjectLoadResult LoadProjectBytes(const TEditorBlockReader& readBlock, Bytes bytes,
                                    const std::filesystem::path& name,
                                    const TProjectMessages& messages = ProjectMessages());

// Writes the project to `name` through WriteFileBytes (platform/files.h), so a failed
// save leaves an older file whole. False for an empty name; throws ProjectFileError
// when the file cannot be written, and the editor stays modified.
bool SaveProjectFile(TNitEditor& editor, const std::filesystem::path& name);

// Status-bar form of a project name: the path as seen from the "Data" folder beside
// the program ("../" and the path relative to `programFolder`), with the full name as
// hint. An empty hint means none.
struct TProjectDisplayName {
  std::string Text;
  std::string Hint;
};
TProjectDisplayName GetProjectDisplayName(const std::filesystem::path& name,
                                          const std::filesystem::path& programFolder);

}  // namespace quillon
