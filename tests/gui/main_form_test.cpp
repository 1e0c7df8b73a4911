// The main window: start with or without a project or with a file given, its actions,
// menus, tool bar and status bar, the project lifecycle with the save question, the
// project file errors, files dropped onto it and the language switch.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "app/main_form.h"
#include "editor/nit_editor.h"
#include "editor/project_file.h"
#include "editor/ui/table_edit_frame.h"
#include "platform/language.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "support/app_fixture.h"
#include "support/gui_fixture.h"

using namespace quillon;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(DialogAnswer)

namespace {

constexpr const char* kAskForSaving = "Wollen Sie das aktuelle NIT-Projekt speichern?";
constexpr const char* kNoProject = "Die gewählte Datei ist kein NIT-Projekt!";

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

// A status-bar name as the program shows it: "..", the platform's separator, the rest.
QString Shown(const fs::path& rel) { return Q(fs::path("..") / rel); }

}  // namespace

class MainFormTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { app_ = std::make_unique<test::TAppFixture>(); }
  void cleanup() { app_.reset(); }

  void startWithOrWithoutProject_data();
  void startWithOrWithoutProject();
  void startWithAFile_data();
  void startWithAFile();
  void actions_data();
  void actions();
  void menusToolBarAndStatusBar();
  void displayNames();
  void saveAndSaveAs();
  void saveQuestion_data();
  void saveQuestion();
  void openErrors_data();
  void openErrors();
  void dragAcceptsOneProjectFile_data();
  void dragAcceptsOneProjectFile();
  void dropOpensTheProject_data();
  void dropOpensTheProject();
  void dropOfAnythingElseChangesNothing();
  void languageSwitch_data();
  void languageSwitch();
  void languageSwitchKeepsTheProjectUnnamed();
  void projectsShareTheCommandLineProgram();

 private:
  std::unique_ptr<TMainForm> StartWithProject();
  fs::path Data(const char* name) const { return app_->paths.DataFolder() / name; }
  // A project file written by the core, with `networkName`.
  fs::path WriteProject(const char* name, const char16_t* networkName);
  std::u16string NetworkNameIn(const fs::path& file);
  int Questions() const;
  // Writes `damage` into a copy of a project: "text", "truncated", "missing" or "" (none).
  fs::path DamagedProject(const QString& damage);

  std::unique_ptr<test::TAppFixture> app_;
};

std::unique_ptr<TMainForm> MainFormTest::StartWithProject() {
  app_->WriteSettings("[SETTINGS]\nOpenNewOnStart=1\n");
  auto form = std::make_unique<TMainForm>(app_->paths);
  form->show();
  return form;
}

fs::path MainFormTest::WriteProject(const char* name, const char16_t* networkName) {
  fs::create_directories(app_->paths.DataFolder());
  TNitEditor editor(app_->paths);
  editor.SetNetworkName(networkName);
  editor.AddStream();
  SaveProjectFile(editor, Data(name));
  return Data(name);
}

std::u16string MainFormTest::NetworkNameIn(const fs::path& file) {
  TNitEditor editor(app_->paths);
  LoadProjectFile(editor, file);
  return editor.NetworkName();
}

int MainFormTest::Questions() const {
  int n = 0;
  for (const auto& box : app_->dialogs.shown)
    if (box.kind == DialogKind::QuestionYesNo && box.text == kAskForSaving) ++n;
  return n;
}

fs::path MainFormTest::DamagedProject(const QString& damage) {
  const fs::path file = WriteProject("given.nip", u"Given");
  Bytes bytes = ReadFileBytes(file);
  if (damage == "text") bytes = {'N', 'I', 'T', 'P', '\n'};
  if (damage == "truncated") bytes.resize(bytes.size() - 30);
  if (damage == "missing")
    fs::remove(file);
  else if (!damage.isEmpty())
    WriteFileBytes(file, bytes);
  return file;
}

// ---------------------------------------------------------------- start-up

void MainFormTest::startWithOrWithoutProject_data() {
  QTest::addColumn<QString>("settings");  // the settings file; empty: none
  QTest::addColumn<bool>("project");
  QTest::addColumn<QString>("written");  // "OpenNewOnStart" after the start

  QTest::newRow("no settings file") << "" << false << "0";
  QTest::newRow("key absent") << "[SETTINGS]\nLastIP=10.0.0.1\n" << false << "0";
  QTest::newRow("0") << "[SETTINGS]\nOpenNewOnStart=0\n" << false << "0";
  QTest::newRow("1") << "[SETTINGS]\nOpenNewOnStart=1\n" << true << "1";
  QTest::newRow("any other number") << "[SETTINGS]\nOpenNewOnStart=2\n" << true << "1";
  QTest::newRow("hexadecimal") << "[settings]\nopennewonstart=0x1\n" << true << "1";
  QTest::newRow("not a number") << "[SETTINGS]\nOpenNewOnStart=yes\n" << false << "0";
  QTest::newRow("trailing characters") << "[SETTINGS]\nOpenNewOnStart=1x\n" << false << "0";
}

void MainFormTest::startWithOrWithoutProject() {
  QFETCH(QString, settings);
  QFETCH(bool, project);
  QFETCH(QString, written);
  if (!settings.isEmpty()) app_->WriteSettings(settings.toStdString());

  TMainForm form(app_->paths);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QCOMPARE(form.TableFrame() != nullptr, project);
  QCOMPARE(form.aSave->isEnabled(), project);
  QCOMPARE(form.aSaveAs->isEnabled(), project);
  QCOMPARE(form.StatusPanel(0)->text(), project ? Shown("Unbenannt.nip") : QString());
  QCOMPARE(QString::fromStdString(app_->Setting("SETTINGS", "OpenNewOnStart")), written);
  if (project) {
    QCOMPARE(form.TableFrame()->PageControl1()->currentIndex(), 0);
    QCOMPARE(form.ClientArea()->size(), TTableEditFrame::kDesignedClientSize);
  }

  // Nothing to save: closing asks nothing.
  QVERIFY(form.close());
  QCOMPARE(app_->TakeBoxes(), QStringList());
  QVERIFY(!form.TableFrame());
}

void MainFormTest::startWithAFile_data() {
  QTest::addColumn<bool>("openNew");   // OpenNewOnStart in the settings
  QTest::addColumn<QString>("damage");  // of the file given
  QTest::addColumn<QString>("box");     // the error box contains it; "" none
  QTest::addColumn<QString>("project"); // then open: "given", "unnamed" or "" none

  QTest::newRow("project") << false << "" << "" << "given";
  QTest::newRow("project wins over OpenNewOnStart") << true << "" << "" << "given";
  QTest::newRow("no project") << false << "text" << kNoProject << "";
  QTest::newRow("no project, OpenNewOnStart") << true << "text" << kNoProject << "unnamed";
  QTest::newRow("missing, OpenNewOnStart") << true << "missing" << kNoProject << "unnamed";
  QTest::newRow("damaged") << false << "truncated" << "given.nip" << "unnamed";
}

void MainFormTest::startWithAFile() {
  QFETCH(bool, openNew);
  QFETCH(QString, damage);
  QFETCH(QString, box);
  QFETCH(QString, project);
  app_->WriteSettings(openNew ? "[SETTINGS]\nOpenNewOnStart=1\n" : "[SETTINGS]\nOpenNewOnStart=0\n");
  const fs::path file = DamagedProject(damage);

  TMainForm form(app_->paths, nullptr, nullptr, file);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  const QStringList boxes = app_->TakeBoxes();
  if (box.isEmpty()) {
    QCOMPARE(boxes, QStringList());
  } else {
    QCOMPARE(boxes.size(), 1);  // the box Datei → Öffnen shows for the same file
    QVERIFY2(boxes[0].contains(box), qPrintable(boxes[0]));
  }
  QCOMPARE(form.TableFrame() != nullptr, !project.isEmpty());
  QCOMPARE(form.aSave->isEnabled(), !project.isEmpty());
  if (project == "given") {
    QCOMPARE(form.Session().CurrentProject(), file);
    QVERIFY(form.TableFrame()->Editor().NetworkName() == u"Given");
    QCOMPARE(form.StatusPanel(0)->text(), Shown(fs::path("Data") / "given.nip"));
    QVERIFY(!form.TableFrame()->Modified());
  }
  if (project == "unnamed") {
    QVERIFY(form.Session().Unnamed());
    QVERIFY(form.TableFrame()->Editor().StreamCount() == 0);
  }
  // The setting stays as it was; the program goes on as usual.
  QCOMPARE(QString::fromStdString(app_->Setting("SETTINGS", "OpenNewOnStart")), QString(openNew ? "1" : "0"));
  app_->files.answers = {Q(Data("other.nip"))};
  WriteProject("other.nip", u"Other");
  form.aLoad->trigger();
  QVERIFY(form.TableFrame() && form.TableFrame()->Editor().NetworkName() == u"Other");
}

// ---------------------------------------------------------------- window

void MainFormTest::actions_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("hint");
  QTest::addColumn<bool>("icon");

  QTest::newRow("aNew") << "aNew" << "&Datei" << "&Neu" << "Neues NIT-Projekt erstellen" << true;
  QTest::newRow("aLoad") << "aLoad" << "&Datei" << "&Öffnen" << "NIT-Projekt laden" << true;
  QTest::newRow("aSave") << "aSave" << "&Datei" << "&Speichern" << "NIT-Projekt speichern" << true;
  QTest::newRow("aSaveAs") << "aSaveAs" << "&Datei" << "Speichern &unter..." << "NIT-Projekt speichern unter..."
                           << false;
  QTest::newRow("aExit") << "aExit" << "&Datei" << "&Beenden" << "Programm beenden" << true;
  QTest::newRow("aSettings") << "aSettings" << "&Extras" << "&Optionen..." << "Programm Einstellungen" << true;
  QTest::newRow("aInfo") << "aInfo" << "&Hilfe" << "&Info" << "Programm Informationen" << true;
}

void MainFormTest::actions() {
  QFETCH(QString, action);
  QFETCH(QString, menu);
  QFETCH(QString, caption);
  QFETCH(QString, hint);
  QFETCH(bool, icon);
  TMainForm form(app_->paths);
  auto* a = form.findChild<QAction*>(action);
  QVERIFY(a);
  QCOMPARE(a->text(), caption);
  QCOMPARE(a->toolTip(), hint);
  QCOMPARE(a->statusTip(), hint);
  QCOMPARE(!a->icon().isNull(), icon);
  QStringList menus;
  for (QMenu* m : form.menuBar()->findChildren<QMenu*>())
    if (m->actions().contains(a)) menus << m->title();
  QCOMPARE(menus, QStringList{menu});
}

namespace {

// The object names of a bar's actions, "|" for a separator.
QStringList Names(const QList<QAction*>& actions) {
  QStringList names;
  for (QAction* a : actions) names << (a->isSeparator() ? "|" : a->menu() ? a->menu()->objectName() : a->objectName());
  return names;
}

}  // namespace

void MainFormTest::menusToolBarAndStatusBar() {
  auto form = StartWithProject();
  QCOMPARE(form->windowTitle(), QString("Zarem  Quillon"));
  QCOMPARE(Names(form->menuBar()->actions()), (QStringList{"miFile", "miExtras", "miHelp"}));
  QCOMPARE(form->miFile->title(), QString("&Datei"));
  QCOMPARE(form->miExtras->title(), QString("&Extras"));
  QCOMPARE(form->miHelp->title(), QString("&Hilfe"));
  QCOMPARE(Names(form->miFile->actions()), (QStringList{"aNew", "aLoad", "aSave", "aSaveAs", "|", "aExit"}));
  QCOMPARE(Names(form->ToolBar1->actions()),
           (QStringList{"aExit", "|", "aNew", "aLoad", "aSave", "|", "aSettings", "|", "aInfo"}));
  QCOMPARE(form->ToolBar1->toolButtonStyle(), Qt::ToolButtonIconOnly);

  QLabel* name = form->StatusPanel(0);
  QCOMPARE(name->width(), TMainForm::kNamePanelWidth);
  QCOMPARE(name->indent(), TMainForm::kNamePanelIndent);
  QVERIFY(form->StatusPanel(1)->text().isEmpty());
  form->TableFrame()->StatusProc("Exportieren der NIT beendet");
  QCOMPARE(form->StatusPanel(1)->text(), QString("Exportieren der NIT beendet"));
}

// ---------------------------------------------------------------- lifecycle

void MainFormTest::displayNames() {
  auto form = StartWithProject();
  QLabel* name = form->StatusPanel(0);
  QCOMPARE(name->text(), Shown("Unbenannt.nip"));
  QCOMPARE(name->toolTip(), QString("Unbenannt.nip"));

  app_->files.answers = {Q(Data("p.nip"))};
  form->aSaveAs->trigger();
  QCOMPARE(name->text(), Shown(fs::path("Data") / "p.nip"));
  QCOMPARE(name->toolTip(), Q(Data("p.nip")));

  test::Click(form->TableFrame(), "sbClose");
  QTRY_VERIFY(!form->TableFrame());
  QCOMPARE(name->text(), QString());
  QCOMPARE(name->toolTip(), QString());
  QVERIFY(!form->aSave->isEnabled());
  QVERIFY(!form->aSaveAs->isEnabled());

  app_->files.answers = {Q(Data("p.nip"))};
  form->aLoad->trigger();
  QCOMPARE(name->text(), Shown(fs::path("Data") / "p.nip"));
  QVERIFY(form->aSave->isEnabled());
}

void MainFormTest::saveAndSaveAs() {
  auto form = StartWithProject();
  TNitEditor& editor = form->TableFrame()->Editor();
  editor.SetNetworkName(u"Nord");
  editor.Stream(editor.AddStream())->SetTSID(0x0102);
  editor.AddService(0, 0x01);

  // Save on an unnamed project asks for the file; a name without extension gets ".nip".
  QVERIFY(!fs::exists(app_->paths.DataFolder()));
  app_->files.answers = {Q(Data("p"))};
  form->aSave->trigger();
  QCOMPARE(app_->files.asked.size(), size_t(1));
  const TFileDialogOptions& asked = app_->files.asked[0];
  QCOMPARE(asked.Title, QString("NIT-Projekt speichern"));
  QCOMPARE(asked.Filter, QString("NIT-Projekt (*.nip);;Alle Dateien (*.*)"));
  QCOMPARE(asked.DefaultSuffix, QString("nip"));
  QCOMPARE(asked.Folder, Q(app_->paths.DataFolder()));
  QVERIFY(asked.ConfirmOverwrite);
  QVERIFY(fs::is_directory(app_->paths.DataFolder()));
  QVERIFY(fs::exists(Data("p.nip")));
  QVERIFY(!editor.Modified());
  QCOMPARE(form->Session().CurrentProject(), Data("p.nip"));

  // Save on a named project writes without a dialog.
  editor.SetNetworkName(u"Süd");
  form->aSave->trigger();
  QCOMPARE(app_->files.asked.size(), size_t(1));
  QVERIFY(NetworkNameIn(Data("p.nip")) == u"Süd");

  // Save As always asks; cancelling it keeps the name and writes nothing.
  editor.SetNetworkName(u"West");
  app_->files.answers = {""};
  form->aSaveAs->trigger();
  QCOMPARE(app_->files.asked.size(), size_t(2));
  QCOMPARE(form->Session().CurrentProject(), Data("p.nip"));
  QVERIFY(NetworkNameIn(Data("p.nip")) == u"Süd");
  QVERIFY(editor.Modified());

  // What was saved opens with the same content.
  form->aSave->trigger();
  TMemoryStream saved;
  editor.SaveConfiguration(&saved);
  TMainForm other(app_->paths);
  app_->files.answers = {Q(Data("p.nip"))};
  other.aLoad->trigger();
  const TFileDialogOptions& opened = app_->files.asked.back();
  QCOMPARE(opened.Title, QString("NIT-Projekt öffnen"));
  QCOMPARE(opened.Filter, QString("NIT-Projekt (*.nip);;Alle Dateien (*.*)"));
  QCOMPARE(opened.Folder, Q(app_->paths.DataFolder()));
  QVERIFY(other.TableFrame());
  TMemoryStream loaded;
  other.TableFrame()->Editor().SaveConfiguration(&loaded);
  QVERIFY(loaded.Data() == saved.Data());
  QCOMPARE(app_->TakeBoxes(), QStringList());
}

void MainFormTest::saveQuestion_data() {
  QTest::addColumn<QString>("operation");  // new, open, close, exit
  QTest::addColumn<bool>("named");         // saved as Data/a.nip before the change
  QTest::addColumn<bool>("modified");
  QTest::addColumn<QString>("answer");      // to the save question: yes, no, or "" (none asked)
  QTest::addColumn<QString>("saveDialog");  // the save dialog's answer, relative; "" cancels
  QTest::addColumn<QString>("savedTo");     // the file that then holds the change; "" none
  QTest::addColumn<bool>("proceeds");

  QTest::newRow("new, unchanged: not asked") << "new" << false << false << "" << "" << "" << true;
  QTest::newRow("new, No: changes dropped") << "new" << false << true << "no" << "" << "" << true;
  QTest::newRow("new, Yes, unnamed: saved as") << "new" << false << true << "yes" << "Data/s.nip" << "Data/s.nip"
                                               << true;
  QTest::newRow("new, Yes, save dialog cancelled") << "new" << false << true << "yes" << "" << "" << false;
  QTest::newRow("new, Yes, named: saved without dialog")
      << "new" << true << true << "yes" << "" << "Data/a.nip" << true;
  QTest::newRow("new, Yes, save fails") << "new" << false << true << "yes" << "missing/s.nip" << "" << false;
  QTest::newRow("open, Yes, save dialog cancelled") << "open" << false << true << "yes" << "" << "" << false;
  QTest::newRow("open, Yes, saved") << "open" << false << true << "yes" << "Data/s.nip" << "Data/s.nip" << true;
  QTest::newRow("open, No") << "open" << true << true << "no" << "" << "" << true;
  QTest::newRow("close, Yes, save dialog cancelled") << "close" << false << true << "yes" << "" << "" << false;
  QTest::newRow("close, Yes, named") << "close" << true << true << "yes" << "" << "Data/a.nip" << true;
  QTest::newRow("close, No") << "close" << false << true << "no" << "" << "" << true;
  QTest::newRow("exit, unchanged: not asked") << "exit" << true << false << "" << "" << "" << true;
  QTest::newRow("exit, Yes, save dialog cancelled") << "exit" << false << true << "yes" << "" << "" << false;
  QTest::newRow("exit, Yes, save fails") << "exit" << false << true << "yes" << "missing/s.nip" << "" << false;
  QTest::newRow("exit, Yes, saved") << "exit" << false << true << "yes" << "Data/s.nip" << "Data/s.nip" << true;
  QTest::newRow("exit, No") << "exit" << false << true << "no" << "" << "" << true;
}

void MainFormTest::saveQuestion() {
  QFETCH(QString, operation);
  QFETCH(bool, named);
  QFETCH(bool, modified);
  QFETCH(QString, answer);
  QFETCH(QString, saveDialog);
  QFETCH(QString, savedTo);
  QFETCH(bool, proceeds);

  const fs::path other = WriteProject("other.nip", u"Other");
  auto form = StartWithProject();
  if (named) {
    app_->files.answers = {Q(Data("a.nip"))};
    form->aSaveAs->trigger();
    QVERIFY(fs::exists(Data("a.nip")));
  }
  const fs::path before = form->Session().CurrentProject();
  QPointer<TTableEditFrame> frame = form->TableFrame();
  if (modified) frame->Editor().SetNetworkName(u"Changed");

  app_->files.answers.clear();
  app_->files.asked.clear();
  app_->dialogs.Clear();
  if (answer == "yes") app_->dialogs.answers = {DialogAnswer::Yes};
  if (answer == "no") app_->dialogs.answers = {DialogAnswer::No};
  const bool savesAs = answer == "yes" && !named;
  if (savesAs) app_->files.answers.push_back(saveDialog.isEmpty() ? "" : Q(app_->dir / saveDialog.toStdString()));
  if (operation == "open") app_->files.answers.push_back(Q(other));

  if (operation == "new") form->aNew->trigger();
  if (operation == "open") form->aLoad->trigger();
  if (operation == "close") {
    test::Click(frame, "sbClose");
    QTest::qWait(20);
  }
  if (operation == "exit") form->aExit->trigger();

  QCOMPARE(Questions(), answer.isEmpty() ? 0 : 1);
  QCOMPARE(app_->files.asked.size(), size_t(savesAs) + size_t(operation == "open" && proceeds));
  if (!savedTo.isEmpty()) QVERIFY(NetworkNameIn(app_->dir / savedTo.toStdString()) == u"Changed");
  if (saveDialog.startsWith("missing")) {
    const QStringList boxes = app_->TakeBoxes();
    QCOMPARE(boxes.size(), 2);  // the question, then the failure naming the file
    QVERIFY2(boxes[1].contains(Q(app_->dir / "missing" / "s.nip")), qPrintable(boxes[1]));
  }

  if (!proceeds) {
    // The change is still there, in the same editor, under the same name.
    QVERIFY(frame);
    QCOMPARE(form->TableFrame(), frame.data());
    QVERIFY(frame->Modified());
    QVERIFY(frame->Editor().NetworkName() == u"Changed");
    QCOMPARE(form->Session().CurrentProject(), before);
    QVERIFY(form->isVisible());
    return;
  }
  QVERIFY(!frame);
  if (operation == "new") {
    QVERIFY(form->TableFrame());
    QVERIFY(form->Session().Unnamed());
    QVERIFY(!form->TableFrame()->Modified());
  }
  if (operation == "open") {
    QCOMPARE(form->Session().CurrentProject(), other);
    QVERIFY(form->TableFrame()->Editor().NetworkName() == u"Other");
  }
  if (operation == "close") QVERIFY(!form->TableFrame());
  if (operation == "exit") QVERIFY(!form->isVisible());
}

void MainFormTest::openErrors_data() {
  QTest::addColumn<QString>("damage");    // what is wrong with the chosen file
  QTest::addColumn<QString>("box");       // the error box contains it
  QTest::addColumn<bool>("keepsOpen");    // the open project stays; else an empty new one
  QTest::addColumn<bool>("namesFile");

  QTest::newRow("no project") << "text" << kNoProject << true << false;
  QTest::newRow("missing") << "missing" << kNoProject << true << false;
  QTest::newRow("version 3") << "version3" << "Falsches Dateiformat!\r\nVersion: 3  Benötigt: 2" << false << true;
  QTest::newRow("version 0") << "version0" << "Version: 0  Benötigt: 2" << false << true;
  QTest::newRow("truncated block") << "truncated" << "" << false << true;
}

void MainFormTest::openErrors() {
  QFETCH(QString, damage);
  QFETCH(QString, box);
  QFETCH(bool, keepsOpen);
  QFETCH(bool, namesFile);

  const fs::path file = WriteProject("bad.nip", u"Bad");
  Bytes bytes = ReadFileBytes(file);
  if (damage == "text") bytes = {'N', 'I', 'T', 'P', '\n'};
  if (damage == "version3") bytes[12] = 3;
  if (damage == "version0") bytes[12] = 0;
  if (damage == "truncated") bytes.resize(bytes.size() - 30);
  if (damage == "missing")
    fs::remove(file);
  else
    WriteFileBytes(file, bytes);

  auto form = StartWithProject();
  QPointer<TTableEditFrame> frame = form->TableFrame();
  frame->Editor().SetNetworkName(u"Changed");
  app_->dialogs.answers = {DialogAnswer::No};
  app_->files.answers = {Q(file)};
  form->aLoad->trigger();

  QStringList boxes = app_->TakeBoxes();
  QCOMPARE(boxes.size(), 2);
  QCOMPARE(boxes[0], QString(kAskForSaving));
  QVERIFY2(boxes[1].contains(box), qPrintable(boxes[1]));
  QCOMPARE(boxes[1].contains(Q(file)), namesFile);
  if (damage == "text" || damage == "missing") QCOMPARE(boxes[1], QString(kNoProject));

  if (keepsOpen) {
    QCOMPARE(form->TableFrame(), frame.data());
    QVERIFY(frame->Editor().NetworkName() == u"Changed");
    return;
  }
  // Never left without an editor and without a word: an empty, unnamed project.
  QVERIFY(!frame);
  QVERIFY(form->TableFrame());
  QVERIFY(form->Session().Unnamed());
  QVERIFY(form->TableFrame()->Editor().NetworkName() != u"Bad");
  QVERIFY(form->TableFrame()->Editor().StreamCount() == 0);
  QCOMPARE(form->StatusPanel(0)->text(), Shown("Unbenannt.nip"));
}

// ---------------------------------------------------------------- drag and drop

namespace {

std::unique_ptr<QMimeData> Urls(const QList<QUrl>& urls) {
  auto mime = std::make_unique<QMimeData>();
  mime->setUrls(urls);
  return mime;
}

std::unique_ptr<QMimeData> Files(const QStringList& files) {
  QList<QUrl> urls;
  for (const QString& f : files) urls << QUrl::fromLocalFile(f);
  return Urls(urls);
}

// Whether the window takes the drag as it enters, which sets the cursor.
bool EnterAccepted(QWidget* window, const QMimeData* mime) {
  QDragEnterEvent enter(QPoint(20, 80), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  return enter.isAccepted();
}

bool DropAccepted(QWidget* window, const QMimeData* mime) {
  QDropEvent drop(QPointF(20, 80), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  return drop.isAccepted();
}

}  // namespace

void MainFormTest::dragAcceptsOneProjectFile_data() {
  QTest::addColumn<QStringList>("files");
  QTest::addColumn<bool>("accepted");

  QTest::newRow(".nip") << QStringList{"p.nip"} << true;
  QTest::newRow(".NIP") << QStringList{"P.NIP"} << true;
  QTest::newRow(".txt") << QStringList{"notes.txt"} << false;
  QTest::newRow(".json") << QStringList{"p.json"} << false;
  QTest::newRow("no extension") << QStringList{"nip"} << false;
  QTest::newRow("two projects") << QStringList{"a.nip", "b.nip"} << false;
  QTest::newRow("a project and a text") << QStringList{"a.nip", "notes.txt"} << false;
}

void MainFormTest::dragAcceptsOneProjectFile() {
  QFETCH(QStringList, files);
  QFETCH(bool, accepted);
  TMainForm form(app_->paths);
  form.show();
  QVERIFY(form.acceptDrops());
  QStringList paths;
  for (const QString& f : files) paths << Q(Data(f.toUtf8().constData()));
  QCOMPARE(EnterAccepted(&form, Files(paths).get()), accepted);
}

void MainFormTest::dropOpensTheProject_data() {
  QTest::addColumn<bool>("modified");
  QTest::addColumn<QString>("answer");  // to the save question: yes, no, or "" (none asked)
  QTest::addColumn<bool>("saved");      // the change is in a.nip afterwards

  QTest::newRow("unchanged: not asked") << false << "" << false;
  QTest::newRow("Ja: saved, then opened") << true << "yes" << true;
  QTest::newRow("Nein: dropped, then opened") << true << "no" << false;
}

void MainFormTest::dropOpensTheProject() {
  QFETCH(bool, modified);
  QFETCH(QString, answer);
  QFETCH(bool, saved);
  const fs::path other = WriteProject("other.nip", u"Other");
  auto form = StartWithProject();
  app_->files.answers = {Q(Data("a.nip"))};
  form->aSaveAs->trigger();
  const std::u16string before = NetworkNameIn(Data("a.nip"));
  if (modified) form->TableFrame()->Editor().SetNetworkName(u"Changed");
  app_->dialogs.Clear();
  if (answer == "yes") app_->dialogs.answers = {DialogAnswer::Yes};
  if (answer == "no") app_->dialogs.answers = {DialogAnswer::No};

  const auto mime = Files({Q(other)});
  QVERIFY(EnterAccepted(form.get(), mime.get()));
  QVERIFY(DropAccepted(form.get(), mime.get()));
  QTRY_COMPARE(form->Session().CurrentProject(), other);
  QVERIFY(form->TableFrame()->Editor().NetworkName() == u"Other");
  QCOMPARE(Questions(), answer.isEmpty() ? 0 : 1);
  QCOMPARE(app_->files.asked.size(), size_t(1));  // only the Save As above: no open dialog
  QVERIFY(NetworkNameIn(Data("a.nip")) == (saved ? u"Changed" : before));
  QCOMPARE(form->StatusPanel(0)->text(), Shown(fs::path("Data") / "other.nip"));
}

void MainFormTest::dropOfAnythingElseChangesNothing() {
  fs::create_directories(app_->paths.DataFolder());
  test::WriteTextFile(Data("notes.txt"), "text\n");
  auto form = StartWithProject();
  QPointer<TTableEditFrame> frame = form->TableFrame();
  frame->Editor().SetNetworkName(u"Changed");
  app_->dialogs.Clear();
  const auto text = Files({Q(Data("notes.txt"))});
  const auto two = Files({Q(WriteProject("a.nip", u"A")), Q(WriteProject("b.nip", u"B"))});
  const auto remote = Urls({QUrl("https://quillon.example.org/p.nip")});
  for (const QMimeData* mime : {text.get(), two.get(), remote.get()}) {
    QVERIFY(!EnterAccepted(form.get(), mime));
    QVERIFY(!DropAccepted(form.get(), mime));
  }
  QTest::qWait(20);
  QCOMPARE(app_->TakeBoxes(), QStringList());
  QCOMPARE(form->TableFrame(), frame.data());
  QVERIFY(frame->Editor().NetworkName() == u"Changed");
  QVERIFY(form->Session().Unnamed());
}

// ---------------------------------------------------------------- language

void MainFormTest::languageSwitch_data() {
  QTest::addColumn<QString>("what");
  QTest::addColumn<QString>("german");
  QTest::addColumn<QString>("english");

  QTest::newRow("menu") << "miFile" << "&Datei" << "&File";
  QTest::newRow("action caption") << "aNew" << "&Neu" << "&New";
  QTest::newRow("action hint") << "aLoad.hint" << "NIT-Projekt laden" << "Open a NIT project";
  QTest::newRow("unnamed project") << "status" << Shown("Unbenannt.nip") << Shown("Untitled.nip");
  QTest::newRow("unnamed project hint") << "status.hint" << "Unbenannt.nip" << "Untitled.nip";
  QTest::newRow("editor page") << "page" << "Allgemein" << "General";
  QTest::newRow("save question") << "question" << kAskForSaving << "Do you want to save the current NIT project?";
  QTest::newRow("save dialog") << "saveDialog" << "NIT-Projekt speichern" << "Save NIT project";
  QTest::newRow("caption stays") << "caption" << "Zarem  Quillon" << "Zarem  Quillon";
}

void MainFormTest::languageSwitch() {
  QFETCH(QString, what);
  QFETCH(QString, german);
  QFETCH(QString, english);
  app_->UseShippedLanguages();
  auto form = StartWithProject();
  auto text = [&]() -> QString {
    if (what == "status") return form->StatusPanel(0)->text();
    if (what == "status.hint") return form->StatusPanel(0)->toolTip();
    if (what == "aLoad.hint") return form->aLoad->toolTip();
    if (what == "page") return form->TableFrame()->PageControl1()->tabText(0);
    if (what == "caption") return form->windowTitle();
    if (what == "question") {
      form->TableFrame()->Editor().SetModified();
      app_->dialogs.Clear();
      app_->dialogs.answers = {DialogAnswer::No};
      form->aNew->trigger();
      return app_->dialogs.shown.empty() ? QString() : QString::fromStdString(app_->dialogs.shown[0].text);
    }
    if (what == "saveDialog") {
      app_->files.answers = {""};
      form->aSave->trigger();
      return app_->files.asked.back().Title;
    }
    if (auto* menu = form->findChild<QMenu*>(what)) return menu->title();
    return form->findChild<QAction*>(what)->text();
  };
  TLangDispatcher& languages = TLangDispatcher::Instance();
  QCOMPARE(text(), german);
  QCOMPARE(languages.SwitchLanguage(2), 0);
  QCOMPARE(text(), english);
  QCOMPARE(languages.SwitchLanguage(1), 0);
  QCOMPARE(text(), german);
}

void MainFormTest::languageSwitchKeepsTheProjectUnnamed() {
  app_->UseShippedLanguages();
  auto form = StartWithProject();
  TLangDispatcher::Instance().SwitchLanguage(2);
  QVERIFY(form->Session().Unnamed());
  QCOMPARE(form->Session().CurrentProject(), fs::path("Untitled.nip"));
  // Still asks for a file name rather than writing "Unbenannt.nip" somewhere.
  app_->files.answers = {Q(Data("e.nip"))};
  form->aSave->trigger();
  QCOMPARE(app_->files.asked.size(), size_t(1));
  QCOMPARE(app_->files.asked[0].Filter, QString("NIT project (*.nip);;All files (*.*)"));
  QVERIFY(fs::exists(Data("e.nip")));
  QVERIFY(!fs::exists(fs::current_path() / "Unbenannt.nip"));
}

// ---------------------------------------------------------------- the command-line program

namespace {

// quillon-cli of the same build: build/src/cli beside build/tests.
QString CliProgram() { return QCoreApplication::applicationDirPath() + "/../src/cli/quillon-cli"; }

QString RunCli(const QStringList& args) {
  QProcess cli;
  cli.start(CliProgram(), args);
  if (!cli.waitForFinished(30000)) return "did not finish";
  if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
    return QString("exit %1: %2").arg(cli.exitCode()).arg(QString::fromUtf8(cli.readAllStandardError()));
  return QString();
}

}  // namespace

void MainFormTest::projectsShareTheCommandLineProgram() {
  if (!QFileInfo::exists(CliProgram())) QSKIP("quillon-cli is not built");
  const fs::path dir = app_->dir.Path();
  auto toJson = [&](const fs::path& nip, const char* json) {
    const QString failure = RunCli({"convert", Q(nip), Q(dir / json)});
    return failure.isEmpty() ? QString::fromStdString(test::ReadTextFile(dir / json)) : failure;
  };

  // Saved by the desktop program, read by quillon-cli.
  auto form = StartWithProject();
  TNitEditor& editor = form->TableFrame()->Editor();
  editor.SetNetworkName(u"Desk Netz");
  editor.SetNetworkID(0x4321);
  editor.Stream(editor.AddStream())->SetTSID(0x0102);
  editor.AddService(0, 0x01);
  form->TableFrame()->RefreshFromEditor();
  app_->files.answers = {Q(Data("desk.nip"))};
  form->aSaveAs->trigger();
  const QString desk = toJson(Data("desk.nip"), "desk.json");
  QVERIFY2(desk.contains("\"Desk Netz\"") && desk.contains("0x4321") && desk.contains("0x0102"), qPrintable(desk));

  // Converted by quillon-cli, opened by the desktop program: saved again, the same project.
  QCOMPARE(RunCli({"convert", Q(dir / "desk.json"), Q(dir / "back.nip")}), QString());
  app_->files.answers = {Q(dir / "back.nip"), Q(Data("again.nip"))};
  form->aLoad->trigger();
  QVERIFY(form->TableFrame()->Editor().NetworkName() == u"Desk Netz");
  form->aSaveAs->trigger();
  QCOMPARE(toJson(Data("again.nip"), "again.json"), desk);

  // A sample converted by quillon-cli.
  const fs::path sample = fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples" / "cable.json";
  QCOMPARE(RunCli({"convert", Q(sample), Q(dir / "cable.nip")}), QString());
  const QString cable = toJson(dir / "cable.nip", "cable.json");
  app_->files.answers = {Q(dir / "cable.nip"), Q(Data("cable-again.nip"))};
  form->aLoad->trigger();
  QVERIFY(form->TableFrame()->Editor().NetworkName() == u"Zarem Network");
  QVERIFY(form->TableFrame()->Editor().StreamCount() >= 2);
  form->aSaveAs->trigger();
  QCOMPARE(toJson(Data("cable-again.nip"), "cable-again.json"), cable);
  QCOMPARE(app_->TakeBoxes(), QStringList());
}

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
