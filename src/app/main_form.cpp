#include "app/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/settings_form.h"
#include "app/splash_form.h"
#include "editor/ui/table_edit_frame.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "widgets/captions.h"
#include "widgets/file_dialogs.h"

namespace quillon {

namespace fs = std::filesystem;

namespace {

constexpr char kCaption[] = "Zarem  Quillon";

constexpr TCaptionRow kCaptions[] = {
    {"miFile", "Caption", "&Datei"},
    {"miExtras", "Caption", "&Extras"},
    {"miHelp", "Caption", "&Hilfe"},
    {"aNew", "Caption", "&Neu"},
    {"aNew", "Hint", "Neues NIT-Projekt erstellen"},
    {"aLoad", "Caption", "&Öffnen"},
    {"aLoad", "Hint", "NIT-Projekt laden"},
    {"aSave", "Caption", "&Speichern"},
    {"aSave", "Hint", "NIT-Projekt speichern"},
    {"aSaveAs", "Caption", "Speichern &unter..."},
    {"aSaveAs", "Hint", "NIT-Projekt speichern unter..."},
    {"aExit", "Caption", "&Beenden"},
    {"aExit", "Hint", "Programm beenden"},
    {"aSettings", "Caption", "&Optionen..."},
    {"aSettings", "Hint", "Programm Einstellungen"},
    {"aInfo", "Caption", "&Info"},
    {"aInfo", "Hint", "Programm Informationen"},
};

constexpr char kOpenTitle[] = "OpenDialog1.Title";
constexpr char kSaveTitle[] = "SaveDialog1.Title";
constexpr char kProjectFilter[] = "ProjectDialog.Filter";

// The project file a drag carries: exactly one local file ending in .nip.
std::optional<fs::path> DraggedProject(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return std::nullopt;
  const QList<QUrl> urls = mime->urls();
  if (urls.size() != 1 || !urls[0].isLocalFile()) return std::nullopt;
  const QString file = urls[0].toLocalFile();
  if (!file.endsWith(".nip", Qt::CaseInsensitive)) return std::nullopt;
  return fs::path(file.toStdString());
}

QAction* MakeAction(QObject* parent, const char* name, const char* theme, QStyle::StandardPixmap fallback) {
  auto* action = new QAction(parent);
  action->setObjectName(name);
  if (theme) action->setIcon(QIcon::fromTheme(theme, QApplication::style()->standardIcon(fallback)));
  return action;
}

}  // namespace

TMainForm::TMainForm(TProgramPaths paths, QWidget* parent, TLangDispatcher* dispatcher, const fs::path& project)
    : QMainWindow(parent),
      paths_(std::move(paths)),
      dispatcher_(dispatcher ? *dispatcher : TLangDispatcher::Instance()),
      lang_("TMainForm", &dispatcher_),
      session_(paths_, *this) {
  setObjectName("TMainForm");
  setWindowTitle(kCaption);

  pnClient = new QWidget(this);
  pnClient->setObjectName("pnClient");
  auto* clientLayout = new QVBoxLayout(pnClient);
  clientLayout->setContentsMargins(0, 0, 0, 0);
  setCentralWidget(pnClient);

  BuildActions();
  BuildMenusAndToolBar();
  BuildStatusBar();
  AddCaptions(lang_, kCaptions);
  lang_.Add(kOpenTitle, "NIT-Projekt öffnen");
  lang_.Add(kSaveTitle, "NIT-Projekt speichern");
  lang_.Add(kProjectFilter, "NIT-Projekt (*.nip)|*.nip|Alle Dateien (*.*)|*.*");
  for (const TMessageRow<ProjectMsg>& row : kProjectMessageRows) lang_.Add(row.name, row.text);
  lang_.OnChange = [this] { UpdateStrings(); };
  UpdateStrings();
  SetClientSize(kClientSize);

  SetBusy(true);
  FSettings.ActLangIdx = dispatcher_.ActiveIndex();
  LoadSettings();
  SettingsChanged(FSettings);
  if (!project.empty()) session_.Open(project);
  // A file that is no project leaves the window as the settings would have started it.
  if (!session_.HasEditor() && FSettings.StartWithNew) session_.OpenEditor({});
  ProjectChanged();
  SetBusy(false);
  setAcceptDrops(true);
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildActions() {
  aNew = MakeAction(this, "aNew", "document-new", QStyle::SP_FileIcon);
  aLoad = MakeAction(this, "aLoad", "document-open", QStyle::SP_DialogOpenButton);
  aSave = MakeAction(this, "aSave", "document-save", QStyle::SP_DialogSaveButton);
  aSaveAs = MakeAction(this, "aSaveAs", nullptr, QStyle::SP_CustomBase);
  aExit = MakeAction(this, "aExit", "application-exit", QStyle::SP_DialogCloseButton);
  aSettings = MakeAction(this, "aSettings", "preferences-system", QStyle::SP_FileDialogDetailedView);
  aInfo = MakeAction(this, "aInfo", "help-about", QStyle::SP_MessageBoxInformation);
  aNew->setShortcut(QKeySequence::New);
  aLoad->setShortcut(QKeySequence::Open);
  aSave->setShortcut(QKeySequence::Save);

  connect(aNew, &QAction::triggered, this, &TMainForm::aNewExecute);
  connect(aLoad, &QAction::triggered, this, &TMainForm::aLoadExecute);
  connect(aSave, &QAction::triggered, this, &TMainForm::aSaveExecute);
  connect(aSaveAs, &QAction::triggered, this, &TMainForm::aSaveAsExecute);
  connect(aExit, &QAction::triggered, this, &QWidget::close);
  connect(aSettings, &QAction::triggered, this, &TMainForm::aSettingsExecute);
  connect(aInfo, &QAction::triggered, this, &TMainForm::aInfoExecute);
}

void TMainForm::BuildMenusAndToolBar() {
  miFile = menuBar()->addMenu(QString());
  miFile->setObjectName("miFile");
  miFile->addActions({aNew, aLoad, aSave, aSaveAs});
  miFile->addSeparator();
  miFile->addAction(aExit);
  miExtras = menuBar()->addMenu(QString());
  miExtras->setObjectName("miExtras");
  miExtras->addAction(aSettings);
  miHelp = menuBar()->addMenu(QString());
  miHelp->setObjectName("miHelp");
  miHelp->addAction(aInfo);

  ToolBar1 = addToolBar(QString());
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
  ToolBar1->toggleViewAction()->setVisible(false);
  ToolBar1->addAction(aExit);
  ToolBar1->addSeparator();
  ToolBar1->addActions({aNew, aLoad, aSave});
  ToolBar1->addSeparator();
  ToolBar1->addAction(aSettings);
  ToolBar1->addSeparator();
  ToolBar1->addAction(aInfo);
}

void TMainForm::BuildStatusBar() {
  MainStatusBar = statusBar();
  MainStatusBar->setObjectName("MainStatusBar");
  pnProject = new QLabel(MainStatusBar);
  pnProject->setObjectName("pnProject");
  pnProject->setFixedWidth(kNamePanelWidth);
  pnProject->setIndent(kNamePanelIndent);
  pnStatus = new QLabel(MainStatusBar);
  pnStatus->setObjectName("pnStatus");
  MainStatusBar->addWidget(pnProject);
  MainStatusBar->addWidget(pnStatus, 1);
}

TTableEditFrame* TMainForm::TableFrame() const { return FTableFrame; }

QLabel* TMainForm::StatusPanel(int index) const { return index == 0 ? pnProject : pnStatus; }

void TMainForm::SetClientSize(QSize size) {
  if (isMaximized() || isFullScreen()) return;
  layout()->activate();
  resize(this->size() + (size - pnClient->size()));
}

void TMainForm::UpdateStrings() {
  ApplyCaptions(this, lang_, kCaptions);
  for (const TMessageRow<ProjectMsg>& row : kProjectMessageRows)
    session_.Messages().SetText(row.id, lang_.Text(row.name));
  // The unnamed default name is now the new language's; the status bar shows it.
  ProjectChanged();
}

QString TMainForm::Text(const char* key) const { return QString::fromStdString(lang_.Text(key)); }

void TMainForm::LoadSettings() { FSettings.StartWithNew = LoadStartWithNew(session_.Paths()); }

void TMainForm::SaveSettings() {
  try {
    SaveStartWithNew(session_.Paths(), FSettings.StartWithNew);
  } catch (const QuillonError& e) {
    Dialogs().Show(DialogKind::ErrorCancel, e.what());
  }
}

void TMainForm::SettingsChanged(const TSettings&) { SaveSettings(); }

void TMainForm::SetStatusText(const QString& msg) { pnStatus->setText(msg); }

// ---------------------------------------------------------------- actions

void TMainForm::aNewExecute() { session_.New(); }

void TMainForm::aLoadExecute() {
  if (session_.Open()) SettingsChanged(FSettings);
}

void TMainForm::OpenDropped(const fs::path& file) {
  if (session_.Open(file)) SettingsChanged(FSettings);
}

void TMainForm::aSaveExecute() { session_.Save(); }

void TMainForm::aSaveAsExecute() { session_.SaveAs(true); }

void TMainForm::aSettingsExecute() {
  TSettingsForm form(&FSettings, [this](const TSettings& orgSet) { SettingsChanged(orgSet); }, this, &dispatcher_);
  if (form.exec() != QDialog::Rejected) SettingsChanged(FSettings);
}

void TMainForm::aInfoExecute() { TZaremSplash_01::ShowInfoBox(paths_, this); }

void TMainForm::TableFrameClose() {
  // Runs after the panel's button handler has returned: closing destroys the panel.
  QTimer::singleShot(0, this, [this] { session_.Close(); });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  SaveSettings();
  if (session_.Close())
    event->accept();
  else
    event->ignore();  // the user wanted the project kept and it was not saved
}

// The moves that follow inherit the answer.
void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (DraggedProject(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();  // the cursor shows that it cannot be dropped
}

void TMainForm::dropEvent(QDropEvent* event) {
  const std::optional<fs::path> file = DraggedProject(event->mimeData());
  if (!file) return event->ignore();
  event->acceptProposedAction();
  // Once the drop is over: the save question must not hold up the program it came from.
  QTimer::singleShot(0, this, [this, path = *file] { OpenDropped(path); });
}

// ---------------------------------------------------------------- IProjectHost

bool TMainForm::CreateEditor() {
  try {
    auto* frame = new TTableEditFrame(session_.Paths());
    frame->setObjectName("TableFrame");
    pnClient->layout()->addWidget(frame);
    SetClientSize(TTableEditFrame::kDesignedClientSize);
    frame->PageControl1()->setCurrentIndex(0);
    frame->CloseProc = [this] { TableFrameClose(); };
    frame->StatusProc = [this](const QString& msg) { SetStatusText(msg); };
    frame->show();
    FTableFrame = frame;
  } catch (const std::exception& e) {
    Dialogs().Show(DialogKind::ErrorCancel, e.what());
    return false;
  }
  return true;
}

void TMainForm::DestroyEditor() { delete FTableFrame.data(); }

TNitEditor& TMainForm::Editor() { return FTableFrame->Editor(); }

bool TMainForm::EditorModified() { return FTableFrame && FTableFrame->Modified(); }

void TMainForm::LoadEditorBlock(TStream& stream, int fileVer, int prgVer) {
  FTableFrame->LoadConfiguration(&stream, fileVer, prgVer);
}

namespace {

std::optional<fs::path> ToPath(const std::optional<QString>& name) {
  if (!name) return std::nullopt;
  return fs::path(name->toStdString());
}

}  // namespace

TFileDialogOptions TMainForm::DialogOptions(const char* titleKey, const fs::path& folder, bool save) const {
  TFileDialogOptions options;
  options.Title = Text(titleKey);
  options.Filter = QtFilterFromPairs(Text(kProjectFilter));
  options.DefaultSuffix = "nip";
  options.Folder = QString::fromStdString(folder.string());
  options.ConfirmOverwrite = save;
  return options;
}

std::optional<fs::path> TMainForm::AskOpenFileName(const fs::path& folder) {
  return ToPath(FileDialogs().OpenFileName(this, DialogOptions(kOpenTitle, folder, false)));
}

std::optional<fs::path> TMainForm::AskSaveFileName(const fs::path& folder) {
  return ToPath(FileDialogs().SaveFileName(this, DialogOptions(kSaveTitle, folder, true)));
}

void TMainForm::ProjectChanged() {
  const TProjectDisplayName name = session_.DisplayName();
  pnProject->setText(QString::fromStdString(name.Text));
  pnProject->setToolTip(QString::fromStdString(name.Hint));
  aSave->setEnabled(session_.HasEditor());
  aSaveAs->setEnabled(session_.HasEditor());
}

void TMainForm::SetBusy(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace quillon
