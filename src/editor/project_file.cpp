#include "editor/project_file.h"

#include <cerrno>
#include <cstring>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "editor/nit_editor.h"
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

ProjectFileError FileError(const fs::path& name, const std::string& reason) {
  return ProjectFileError(name, Format("\"%s\": %s", name.c_str(), reason.c_str()));
}

std::string SystemError(const char* action, const fs::path& path) {
  return Format("Cannot %s \"%s\": %s.", action, path.c_str(), std::strerror(errno));
}

// Writes `data` to a temporary file beside `target`, flushes it to the disk and renames
// it over `target`: whatever fails, `target` is either the old file or the new one.
void ReplaceFile(fs::path target, ByteView data) {
  std::error_code ec;
  // Replace the file a link points to, not the link.
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  const fs::path temp = ProjectSaveTempPath(target);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  // O_NOFOLLOW: a link planted at the temporary name must not redirect the write.
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) throw StreamError(SystemError("create", temp));
  auto fail = [&](const char* action, const fs::path& path) {
    std::string text = SystemError(action, path);
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    throw StreamError(text);
  };
  if (replacing && ::fchmod(fd, old.st_mode & 07777) != 0) fail("write", temp);
  for (size_t done = 0; done < data.size();) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) fail("write", temp);
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) fail("write", temp);
  int closed = ::close(fd);
  fd = -1;
  if (closed != 0) fail("write", temp);
  if (::rename(temp.c_str(), target.c_str()) != 0) fail("replace", target);
  // The rename itself reaches the disk with the folder; a failure here loses nothing.
  int dir = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

bool IsNitProjectFile(const fs::path& name) {
  try {
    TFileStream file(name, TFileStream::Mode::Read);
    return ReadMagic(file);
  } catch (const std::exception&) {
    return false;
  }
}

void LoadProjectFile(TNitEditor& editor, const fs::path& name, const TProjectMessages& messages) {
  LoadProjectFile([&editor](TStream& stream, int fileVer, int prgVer) { editor.LoadConfiguration(&stream, fileVer, prgVer); },
                  name, messages);
}

void LoadProjectFile(const TEditorBlockReader& readBlock, const fs::path& name, const TProjectMessages& messages) {
  // The magic first, so that no large file of another kind is read in.
  Bytes bytes;
  try {
    TFileStream file(name, TFileStream::Mode::Read);
    if (!ReadMagic(file)) throw FileError(name, messages.Text(ProjectMsg::strsNoNitProjFile));
    file.Seek(0);
    bytes.resize(static_cast<size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
  } catch (const StreamError& e) {
    throw ProjectFileError(name, e.what());  // already names the file
  }
  LoadProjectBytes(readBlock, std::move(bytes), name, messages);
}

void LoadProjectBytes(TNitEditor& editor, Bytes bytes, const fs::path& name, const TProjectMessages& messages) {
  LoadProjectBytes([&editor](TStream& stream, int fileVer, int prgVer) { editor.LoadConfiguration(&stream, fileVer, prgVer); },
                   std::move(bytes), name, messages);
}

void LoadProjectBytes(const TEditorBlockReader& readBlock, Bytes bytes, const fs::path& name,
                      const TProjectMessages& messages) {
  TMemoryStream stream(std::move(bytes));
  try {
    if (!ReadMagic(stream)) throw FileError(name, messages.Text(ProjectMsg::strsNoNitProjFile));
    const int version = stream.ReadU8();
    if (version != kProjectFileVersion && version != kOldProjectFileVersion)
      throw FileError(name, FillNumbers(messages.Text(ProjectMsg::strsWrongFileFormat), {version, kProjectFileVersion}));
    ReadRecordString16(stream, "program version length");
    readBlock(stream, version, kProjectFileVersion);
  } catch (const ProjectFileError&) {
    throw;
  } catch (const QuillonError& e) {
    throw FileError(name, e.what());
  }
}

fs::path ProjectSaveTempPath(const fs::path& name) {
  fs::path temp = name;
  temp += ".tmp";
  return temp;
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
    ReplaceFile(name, stream.Data());
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
