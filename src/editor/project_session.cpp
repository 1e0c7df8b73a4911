#include "editor/project_session.h"

#include "platform/dialogs.h"
#include "platform/text.h"

namespace quillon {

namespace fs = std::filesystem;

namespace {

constexpr char kProjectExtension[] = ".nip";

class TBusyScope {
 public:
  explicit TBusyScope(IProjectHost& host) : host_(host) { host_.SetBusy(true); }
  ~TBusyScope() { host_.SetBusy(false); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  IProjectHost& host_;
};

void ShowError(const std::string& text) { Dialogs().Show(DialogKind::ErrorCancel, text); }

}  // namespace

TProjectSession::TProjectSession(TProgramPaths paths, IProjectHost& host) : paths_(std::move(paths)), host_(host) {}

fs::path TProjectSession::CurrentProject() const {
  return Unnamed() ? fs::path(messages_.Text(ProjectMsg::strsNewProjDefName)) : current_;
}

TProjectDisplayName TProjectSession::DisplayName() const {
  if (!hasEditor_) return {};
  return GetProjectDisplayName(CurrentProject(), paths_.ProgramFolder);
}

fs::path TProjectSession::DialogFolder() const {
  // The dialogs start in "Data" beside the program, made each time it is missing; when
  // it cannot be made the dialog starts wherever it can.
  std::error_code ec;
  fs::create_directories(paths_.DataFolder(), ec);
  return paths_.DataFolder();
}

bool TProjectSession::QuerySave() {
  if (!hasEditor_ || !host_.EditorModified()) return true;
  if (Dialogs().Show(DialogKind::QuestionYesNo, messages_.Text(ProjectMsg::strsAskForSaving)) != DialogAnswer::Yes)
    return true;
  return Save();
}

bool TProjectSession::New() {
  if (!QuerySave()) return false;
  CloseEditor();
  return OpenEditor({});
}

bool TProjectSession::Open() {
  if (!QuerySave()) return false;
  std::optional<fs::path> name = host_.AskOpenFileName(DialogFolder());
  return name && OpenChosen(*name);
}

bool TProjectSession::Open(const fs::path& name) { return QuerySave() && OpenChosen(name); }

bool TProjectSession::OpenChosen(const fs::path& name) {
  TBusyScope busy(host_);
  if (!IsNitProjectFile(name)) {
    ShowError(messages_.Text(ProjectMsg::strsNoNitProjFile));
    return false;
  }
  CloseEditor();
  return OpenEditor(name) && !Unnamed();
}

bool TProjectSession::OpenEditor(const fs::path& name) {
  current_.clear();
  hasEditor_ = host_.CreateEditor();
  if (hasEditor_ && !name.empty()) {
    std::error_code ec;
    const fs::path file = fs::absolute(name, ec);
    try {
      const TProjectLoadResult loaded = LoadProjectFile(
          [this](TStream& stream, int fileVer, int prgVer) { host_.LoadEditorBlock(stream, fileVer, prgVer); }, file,
          messages_);
      current_ = file;
      if (!loaded.Warning.empty()) Dialogs().Show(DialogKind::Warning, loaded.Warning);
    } catch (const ProjectFileError& e) {
      ShowError(e.what());  // names the file and the reason; the editor keeps its empty project
    } catch (const std::exception& e) {
      ShowError(Format("\"%s\": %s", file.c_str(), e.what()));
    }
  }
  Changed();
  return hasEditor_;
}

void TProjectSession::CloseEditor() {
  if (hasEditor_) host_.DestroyEditor();
  hasEditor_ = false;
  Changed();
}

bool TProjectSession::Close() {
  if (!QuerySave()) return false;
  CloseEditor();
  return true;
}

bool TProjectSession::Save() {
  if (!hasEditor_) return false;
  return Unnamed() ? SaveAs(false) : SaveTo(current_);
}

bool TProjectSession::SaveAs(bool askAlways) {
  if (!hasEditor_) return false;
  fs::path name = current_;
  if (Unnamed() || askAlways) {
    std::optional<fs::path> chosen = host_.AskSaveFileName(DialogFolder());
    if (!chosen || chosen->empty()) return false;
    name = *chosen;
    if (!name.has_extension()) name += kProjectExtension;
  }
  return SaveTo(name);
}

bool TProjectSession::SaveTo(const fs::path& name) {
  TBusyScope busy(host_);
  std::error_code ec;
  const fs::path file = fs::absolute(name, ec);
  try {
    if (!SaveProjectFile(host_.Editor(), file)) return false;
  } catch (const ProjectFileError& e) {
    // The project keeps its old name: nothing was written under the new one.
    ShowError(e.what());
    return false;
  }
  current_ = file;
  Changed();
  return true;
}

}  // namespace quillon
