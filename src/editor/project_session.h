#pragma once
// The lifecycle of the one open project: new, open, save, save as, close and exit, with
// the question whether to save unsaved changes first. The window supplies the editor
// panel and the file dialogs through IProjectHost; the rules are all here.
//
// Answering Yes to the save question and then cancelling the save dialog, or a save
// that fails, cancels the operation that asked: unsaved work is never thrown away after
// the user asked to keep it.
#include <filesystem>
#include <optional>

#include "editor/project_file.h"
#include "platform/paths.h"

namespace quillon {

class TStream;

class IProjectHost {
 public:
  virtual ~IProjectHost() = default;
  // Builds the editor panel with an empty project; false when it could not be built.
  virtual bool CreateEditor() = 0;
  virtual void DestroyEditor() = 0;
  // The open editor (only called while one exists).
  virtual TNitEditor& Editor() = 0;
  virtual bool EditorModified() = 0;
  // Reads the editor block into the open editor, so the panel can refresh its widgets.
  // Throws like TNitEditor::LoadConfiguration.
  virtual void LoadEditorBlock(TStream& stream, int fileVer, int prgVer) = 0;
  // The project dialogs, starting in `folder`; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> AskOpenFileName(const std::filesystem::path& folder) = 0;
  virtual std::optional<std::filesystem::path> AskSaveFileName(const std::filesystem::path& folder) = 0;
  // The project's name, or whether one is open, changed.
  virtual void ProjectChanged() = 0;
  // Around reading and writing project files.
  virtual void SetBusy(bool busy) { (void)busy; }
};

class TProjectSession {
 public:
  TProjectSession(TProgramPaths paths, IProjectHost& host);

  const TProgramPaths& Paths() const { return paths_; }
  // The main window's texts; the unnamed default name follows them.
  TProjectMessages& Messages() { return messages_; }

  bool HasEditor() const { return hasEditor_; }
  // The file of the open project, or the unnamed default name while it has none.
  std::filesystem::path CurrentProject() const;
  bool Unnamed() const { return current_.empty(); }
  // Status-bar text and hint of the open project; empty without a project.
  TProjectDisplayName DisplayName() const;

  // Each returns false when it was cancelled or failed; errors are shown through the
  // dialogs. New/Open/Close/Exit ask about unsaved changes first.
  bool New();
  bool Open();
  // Open without the dialog: the file given at start or dropped onto the window.
  bool Open(const std::filesystem::path& name);
  // The editor's close button and program exit: asks, then closes the project.
  bool Close();
  // Save: to the project's file, or as Save As when it has none.
  bool Save();
  // Save As: asks for the file (always when `askAlways`, else only for an unnamed project).
  bool SaveAs(bool askAlways = true);
  // True when there is nothing to save, the user declined, or the project was saved.
  bool QuerySave();

  // A new editor holding the project in `name` (an empty unnamed project when `name` is
  // empty or cannot be read; the error is shown). False when no editor could be built.
  bool OpenEditor(const std::filesystem::path& name);
  // Destroys the open editor without asking.
  void CloseEditor();

 private:
  bool SaveTo(const std::filesystem::path& name);
  // Replaces the open project with the one in `name`, after the save question.
  bool OpenChosen(const std::filesystem::path& name);
  std::filesystem::path DialogFolder() const;
  void Changed() { host_.ProjectChanged(); }

  TProgramPaths paths_;
  IProjectHost& host_;
  TProjectMessages messages_;
  bool hasEditor_ = false;
  std::filesystem::path current_;  // empty: unnamed
};

}  // namespace quillon
