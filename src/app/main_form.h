#pragma once
// The main window: actions, menus, tool bar and the two-panel status bar around at most
// one editor panel. The project lifecycle itself is TProjectSession's; this window
// supplies the panel and the file dialogs to it.
#include <QMainWindow>
#include <QPointer>

#include "app/settings.h"
#include "editor/project_session.h"
#include "platform/language.h"

class QLabel;
class QMenu;
class QToolBar;

namespace quillon {

class TTableEditFrame;
struct TFileDialogOptions;

class TMainForm : public QMainWindow, private IProjectHost {
  Q_OBJECT

 public:
  // `paths`: where the settings file and the "Data" folder are. `project`: the file to
  // open at start instead of what the settings ask for; when it cannot be opened the
  // window starts as after a failed Datei → Öffnen.
  explicit TMainForm(TProgramPaths paths, QWidget* parent = nullptr, TLangDispatcher* dispatcher = nullptr,
                     const std::filesystem::path& project = {});
  ~TMainForm() override;

  QAction* aNew;
  QAction* aLoad;
  QAction* aSave;
  QAction* aSaveAs;
  QAction* aExit;
  QAction* aSettings;
  QAction* aInfo;
  QMenu* miFile;
  QMenu* miExtras;
  QMenu* miHelp;
  QToolBar* ToolBar1;
  QStatusBar* MainStatusBar;

  TTableEditFrame* TableFrame() const;
  TProjectSession& Session() { return session_; }
  const TSettings& Settings() const { return FSettings; }
  // Status panel 0 (project name, hint as tool tip) and 1 (the editor's last status text).
  QLabel* StatusPanel(int index) const;
  // The area the editor panel fills.
  QWidget* ClientArea() const { return pnClient; }

  // Stores the options; `orgSet` holds them as they were before the change.
  void SettingsChanged(const TSettings& orgSet);
  // Re-reads the texts that depend on the language: the unnamed default name among them.
  void UpdateStrings();
  void SetStatusText(const QString& msg);

  static constexpr QSize kClientSize{630, 609};
  static constexpr int kNamePanelWidth = 200;
  static constexpr int kNamePanelIndent = 8;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A single .nip file dropped onto the window opens, after the save question; anything
  // else is not taken.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildActions();
  void BuildMenusAndToolBar();
  void BuildStatusBar();
  void SetClientSize(QSize size);
  void LoadSettings();
  void SaveSettings();
  QString Text(const char* key) const;
  TFileDialogOptions DialogOptions(const char* titleKey, const std::filesystem::path& folder, bool save) const;

  void aNewExecute();
  void aLoadExecute();
  void OpenDropped(const std::filesystem::path& file);
  void aSaveExecute();
  void aSaveAsExecute();
  void aSettingsExecute();
  void aInfoExecute();
  void TableFrameClose();

  // IProjectHost
  bool CreateEditor() override;
  void DestroyEditor() override;
  TNitEditor& Editor() override;
  bool EditorModified() override;
  void LoadEditorBlock(TStream& stream, int fileVer, int prgVer) override;
  std::optional<std::filesystem::path> AskOpenFileName(const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> AskSaveFileName(const std::filesystem::path& folder) override;
  void ProjectChanged() override;
  void SetBusy(bool busy) override;

  TProgramPaths paths_;
  TLangDispatcher& dispatcher_;
  TLanguageTable lang_;
  TSettings FSettings;
  TProjectSession session_;
  QPointer<TTableEditFrame> FTableFrame;
  QWidget* pnClient;
  QLabel* pnProject;
  QLabel* pnStatus;
};

}  // namespace quillon
