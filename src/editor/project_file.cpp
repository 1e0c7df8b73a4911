#include "editor/project_file.h"

#include <iterator>
#include <new>

#include "editor/nit_editor.h"
#include "platform/files.h"
#include "platform/language.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "project/record_stream.h"

namespace quillon {

namespace fs = std::filesystem;

namespace {

constexpr char16_t kMagic[] = u"NITP";
constexpr uint8_t kOldProjectFileVersion = 1;
constexpr size_t kMagicBytes = 4 + 2 * (std::size(kMagic) - 1);
// Longer names get their full path as hint even when shown whole.
constexpr size_t kHintAfterChars = 20;

bool ReadMagic(TStream& stream) {
  if (stream.Remaining() < kMagicBytes) return false;
  TMemoryStream expected;
  expected.WriteString16(kMagic);
  Bytes head(kMagicBytes);
  stream.ReadBuffer(head.data(), head.size());
  return head == expected.Data();
}

// Replaces each "%d" of a translatable text by the next number; a translation cannot
// smuggle other conversions into a printf format this way.
std::string FillNumbers(const std::string& text, std::initializer_list<int> numbers) {
  std::string out;
  auto next = numbers.begin();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "%d") == 0 && next != numbers.end()) {
      out += std::to_string(*next++);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string Named(const fs::path& name, const std::string& reason) {
  return Format("\"%s\": %s", name.c_str(), reason.c_str());
}

ProjectFileError FileError(const fs::path& name, const std::string& reason) {
  return ProjectFileError(name, Named(name, reason));
}

}  // namespace

const TProjectMessages& ProjectMessages() { return ModuleMessages<TProjectMessages>("TMainForm"); }

bool IsNitProjectFile(const fs::path& name) {
  try {
    TFileStream file(name, TFileStream::Mode::Read);
    return ReadMagic(file);
  } catch (const std::exception&) {
    return false;
  }
}

TProjectLoadResult LoadProjectFile(TNitEditor& editor, const fs::path& name, const TProjectMessages& messages) {
  return LoadProjectFile([&editor](TStream& stream, int fileVer, int prgVer) { editor.LoadConfiguration(&stream, fileVer, prgVer); },
                  name, messages);
}

TProjectLoadResult LoadProjectFile(const TEditorBlockReader& readBlock, const fs::path& name,
                                   const TProjectMessages& messages) {
  Bytes bytes;
  try {
    // The magic first, so that no large file of another kind is read in.
    {
      TFileStream file(name, TFileStream::Mode::Read);
      if (!ReadMagic(file)) throw FileError(name, messages.Text(ProjectMsg::strsNoNitProjFile));
    }
    bytes = ReadFileBytes(name, kMaxWholeFileBytes);
  } catch (const StreamError& e) {
    throw ProjectFileError(name, e.what());  // already names the file
  }
  return LoadProjectBytes(readBlock, std::move(bytes), name, messages);
}

TProjectLoadResult LoadProjectBytes(TNitEditor& editor, Bytes bytes, const fs::path& name,
                                    const TProjectMessages& messages) {
  return LoadProjectBytes([&editor](TStream& stream, int fileVer, int prgVer) { editor.LoadConfiguration(&stream, fileVer, prgVer); },
                   std::move(bytes), name, messages);
}

TProjectLoadResult LoadProjectBytes(const TEditorBlockReader& readBlock, Bytes bytes, const fs::path& name,
                                    const TProjectMessages& messages) {
  TMemoryStream stream(std::move(bytes));
  TProjectLoadResult result;
  try {
    if (!ReadMagic(stream)) throw FileError(name, messages.Text(ProjectMsg::strsNoNitProjFile));
    const int version = stream.ReadU8();
    if (version != kProjectFileVersion && version != kOldProjectFileVersion)
      throw FileError(name, FillNumbers(messages.Text(ProjectMsg::strsWrongFileFormat), {version, kProjectFileVersion}));
    ReadRecordString16(stream, RecordText(RecordMsg::ProgramVersion));
    readBlock(stream, version, kProjectFileVersion);
  } catch (const ProjectFileError&) {
    throw;
  } catch (const QuillonError& e) {
    throw FileError(name, e.what());
  } catch (const std::bad_alloc&) {
    throw FileError(name, messages.Text(ProjectMsg::strsNoMemory));
  }
  // Bytes after the block are not refused: a newer program version may append to the
  // format, and a file that loaded before must keep loading. The user is told.
  result.TrailingBytes = stream.Remaining();
  if (result.TrailingBytes > 0)
    result.Warning =
        Named(name, FillNumbers(messages.Text(ProjectMsg::strsTrailingData), {static_cast<int>(result.TrailingBytes)}));
  return result;
}

bool SaveProjectFile(TNitEditor& editor, const fs::path& name) {
  if (name.empty()) return false;
  const bool wasModified = editor.Modified();
  TMemoryStream stream;
  stream.WriteString16(kMagic);
  stream.WriteU8(kProjectFileVersion);
  stream.WriteString16(Utf8ToUtf16(kProgramVersion));
  editor.SaveConfiguration(&stream);
  try {
    WriteFileBytes(name, stream.Data());
  } catch (const QuillonError& e) {
    // Nothing reached the file: the changes are still unsaved.
    if (wasModified) editor.SetModified();
    throw ProjectFileError(name, e.what());
  }
  return true;
}

TProjectDisplayName GetProjectDisplayName(const fs::path& name, const fs::path& programFolder) {
  // One root: every absolute path is relative to the program folder, ".." included. A
  // bare name (the unnamed default) stays as it is.
  fs::path rel = name;
  if (name.is_absolute() && programFolder.is_absolute())
    rel = name.lexically_normal().lexically_relative(programFolder.lexically_normal());
  if (rel.empty()) rel = name;
  const std::string text = rel.generic_string();
  const std::string full = name.string();
  // Seen from the Data folder beside the program, where the project dialogs start.
  if (!rel.is_absolute()) return {"../" + text, full};
  return {text, Utf8ToUtf16(text).size() > kHintAfterChars ? full : std::string()};
}

}  // namespace quillon
