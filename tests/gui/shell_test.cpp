// Around the main window: the program's command line, the start splash, the About box,
// the message boxes with their captions, and the shipped English language file against
// every window's texts.
#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/main_form.h"
#include "app/qt_dialogs.h"
#include "app/settings_form.h"
#include "app/splash_form.h"
#include "app/version_info.h"
#include "editor/core_messages.h"
#include "editor/ui/ch_list_form.h"
#include "platform/ini_file.h"
#include "platform/language.h"
#include "support/app_fixture.h"
#include "support/gui_fixture.h"
#include "widgets/entry_fields.h"

using namespace quillon;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(DialogKind)
Q_DECLARE_METATYPE(DialogAnswer)

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setApplicationName("Quillon"); }
  void init() { app_ = std::make_unique<test::TAppFixture>(); }
  void cleanup() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<TZaremSplash_01*>(w)) delete w;
    app_.reset();
  }

  void commandLine_data();
  void commandLine();
  void releaseText_data();
  void releaseText();
  void startSplash_data();
  void startSplash();
  void aboutBox();
  void aboutBoxClicks_data();
  void aboutBoxClicks();
  void messageBoxes_data();
  void messageBoxes();
  void languageFileCoversEveryText();

 private:
  std::unique_ptr<test::TAppFixture> app_;
};

void ShellTest::commandLine_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<int>("code");
  QTest::addColumn<QString>("out");  // standard output starts with it
  QTest::addColumn<QString>("err");  // standard error contains it

  // The version the About box shows.
  const QString version = QString::fromStdString("quillon " + ProgramVersionInfo().FileVersion + "\n");
  QTest::newRow("--version") << QStringList{"--version"} << 0 << version << "";
  QTest::newRow("--version before a file") << QStringList{"--version", "p.nip"} << 0 << version << "";
  QTest::newRow("--help") << QStringList{"--help"} << 0 << "Aufruf: quillon [PROJEKT.nip]\n" << "";
  QTest::newRow("-h") << QStringList{"-h"} << 0 << "Aufruf: quillon [PROJEKT.nip]\n" << "";
  QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "" << "Unbekannte Option „--bogus“.";
  QTest::newRow("two files") << QStringList{"a.nip", "b.nip"} << 2 << "" << "angegeben waren 2 Dateien";
}

// The program itself, as a shell starts it; none of these opens a window.
void ShellTest::commandLine() {
  QFETCH(QStringList, args);
  QFETCH(int, code);
  QFETCH(QString, out);
  QFETCH(QString, err);
  const QString program = QCoreApplication::applicationDirPath() + "/../src/quillon";
  if (!QFileInfo::exists(program)) QSKIP("quillon is not built");
  QProcess quillon;
  quillon.setWorkingDirectory(QString::fromStdString(app_->dir.Path().string()));
  quillon.start(program, args);
  QVERIFY(quillon.waitForFinished(30000));
  QCOMPARE(quillon.exitStatus(), QProcess::NormalExit);
  QCOMPARE(quillon.exitCode(), code);
  const QString stdOut = QString::fromUtf8(quillon.readAllStandardOutput());
  const QString stdErr = QString::fromUtf8(quillon.readAllStandardError());
  QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(stdOut));
  QVERIFY2(stdErr.contains(err), qPrintable(stdErr));
  if (args == QStringList{"--version"}) QCOMPARE(stdOut, out);
}

void ShellTest::releaseText_data() {
  QTest::addColumn<QString>("version");
  QTest::addColumn<QString>("flags");
  QTest::addColumn<QString>("text");
  QTest::newRow("this release") << "1.2.3.66" << "" << "Release 1.2";
  QTest::newRow("pre-release") << "1.2.3.66" << "Pre" << "Pre-Release 1.2";
  QTest::newRow("pre-release among other flags") << "3.10.0.1" << "Private, Pre-release" << "Pre-Release 3.10";
  QTest::newRow("other flags") << "2.0.0.0" << "Private" << "Release 2.0";
}

void ShellTest::releaseText() {
  QFETCH(QString, version);
  QFETCH(QString, flags);
  QFETCH(QString, text);
  TVersionInfo info = ProgramVersionInfo();
  info.FileVersion = version.toStdString();
  info.BuildFlags = flags.toStdString();
  QCOMPARE(QString::fromStdString(ReleaseText(info)), text);
}

void ShellTest::startSplash_data() {
  QTest::addColumn<QString>("settings");
  QTest::addColumn<bool>("shown");
  QTest::addColumn<QString>("name1");
  QTest::addColumn<QString>("name2");

  QTest::newRow("defaults") << "" << true << "Zarem" << "Software";
  QTest::newRow("own names") << "[SPLASH]\nPrgName1=Nord\nPrgName2=Netz\n" << true << "Nord" << "Netz";
  QTest::newRow("switched off") << "[SPLASH]\nShowSplash=0\n" << false << "" << "";
}

void ShellTest::startSplash() {
  QFETCH(QString, settings);
  QFETCH(bool, shown);
  QFETCH(QString, name1);
  QFETCH(QString, name2);
  app_->WriteSettings(settings.toStdString() + "[SPLASH]\nShowTime=150\n");

  QPointer<TZaremSplash_01> splash = TZaremSplash_01::ShowStartSplash(app_->paths);
  QCOMPARE(splash != nullptr, shown);
  if (!shown) return;
  QVERIFY(splash->isVisible());
  QVERIFY(TZaremSplash_01::IsShowing());
  QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
  QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  QCOMPARE(test::Child<QLabel>(splash, "lbPrgName1")->text(), name1);
  QCOMPARE(test::Child<QLabel>(splash, "lbPrgName2")->text(), name2);
  QCOMPARE(test::Child<QLabel>(splash, "lbRelease")->text(), QString("Release 1.2"));
  // While it shows, the About box does not open.
  QVERIFY(!TZaremSplash_01::ShowInfoBox(app_->paths, nullptr));
  // Closes itself after ShowTime and is gone.
  QTRY_VERIFY_WITH_TIMEOUT(!splash, 2000);
  QVERIFY(!TZaremSplash_01::IsShowing());
}

void ShellTest::aboutBox() {
  TMainForm form(app_->paths);
  form.show();
  form.aInfo->trigger();
  TZaremSplash_01* about = test::ShownWindow<TZaremSplash_01>();
  QVERIFY(about);
  QVERIFY(!about->InfoMode());
  QVERIFY(test::Child<QLabel>(about, "lbPrgName1")->isVisible());
  form.aInfo->trigger();  // a second one does not open

  QTRY_VERIFY_WITH_TIMEOUT(about->InfoMode(), 2 * TZaremSplash_01::kInfoDelayMs);
  for (const char* hidden : {"lbPrgName1", "lbPrgName2", "lbRelease", "lbSmallPrint"})
    QVERIFY2(!test::Child<QLabel>(about, hidden)->isVisible(), hidden);
  QVERIFY(test::Child<QLabel>(about, "lbWebAddress")->isVisible());
  auto* scroll = test::Child<TScrollText>(about, "pnScroll");
  auto* frame = test::Child<QFrame>(about, "pnFrame");
  QVERIFY(scroll->isVisible());
  QCOMPARE(scroll->geometry(), QRect(8, 12, 217, frame->height() - 20));
  const QStringList lines(scroll->Lines().begin(), scroll->Lines().end());
  for (const QString& expected : {QString("Dateiversion:"), QString(QUILLON_VERSION), QString("Quillon NIT-Editor"),
                                  QString("Interner Name:"), QString(kMakerName), QString(kMakerWebAddress)})
    QVERIFY2(lines.contains(expected), qPrintable(expected));
  // The text moves.
  const int offset = scroll->Offset();
  QTRY_VERIFY(scroll->Offset() > offset);

  int abouts = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) abouts += qobject_cast<TZaremSplash_01*>(w) != nullptr;
  QCOMPARE(abouts, 1);

  QPointer<TZaremSplash_01> watch = about;
  QTest::keyClick(about, Qt::Key_Escape);
  QVERIFY(watch && watch->isVisible());  // not at once
  QTRY_VERIFY_WITH_TIMEOUT(!watch || !watch->isVisible(), 4 * TZaremSplash_01::kCloseDelayMs);
}

void ShellTest::aboutBoxClicks_data() {
  QTest::addColumn<QString>("target");
  QTest::addColumn<int>("button");
  QTest::addColumn<bool>("closes");
  QTest::addColumn<bool>("opensSite");

  QTest::newRow("left click") << "box" << int(Qt::LeftButton) << true << false;
  QTest::newRow("middle click") << "box" << int(Qt::MiddleButton) << true << false;
  QTest::newRow("right click") << "box" << int(Qt::RightButton) << false << false;
  QTest::newRow("web address") << "lbWebAddress" << int(Qt::LeftButton) << false << true;
}

void ShellTest::aboutBoxClicks() {
  QFETCH(QString, target);
  QFETCH(int, button);
  QFETCH(bool, closes);
  QFETCH(bool, opensSite);
  QPointer<TZaremSplash_01> about = TZaremSplash_01::ShowInfoBox(app_->paths, nullptr);
  QVERIFY(about);
  QList<QUrl> opened;
  about->OpenUrl = [&](const QUrl& url) { opened << url; };
  QTRY_VERIFY(about->InfoMode());

  QWidget* w = target == "box" ? about.data() : test::Child<QWidget>(about, target);
  QTest::mouseClick(w, Qt::MouseButton(button), {}, QPoint(4, 4));
  QTest::qWait(4 * TZaremSplash_01::kCloseDelayMs);
  QCOMPARE(!about || !about->isVisible(), closes);
  QCOMPARE(opened, opensSite ? QList<QUrl>{QUrl(kMakerWebAddress)} : QList<QUrl>{});
}

// ---------------------------------------------------------------- message boxes

void ShellTest::messageBoxes_data() {
  QTest::addColumn<DialogKind>("kind");
  QTest::addColumn<bool>("english");
  QTest::addColumn<QString>("title");
  QTest::addColumn<int>("icon");
  QTest::addColumn<QStringList>("buttons");
  QTest::addColumn<QString>("press");  // a button's caption, or "Escape"
  QTest::addColumn<DialogAnswer>("answer");

  const int error = QMessageBox::Critical, question = QMessageBox::Question;
  QTest::newRow("error with Cancel") << DialogKind::ErrorCancel << false << "Fehler" << error
                                     << QStringList{"Abbrechen"} << "Abbrechen" << DialogAnswer::Cancel;
  QTest::newRow("error with OK") << DialogKind::ErrorOk << false << "Fehler" << error << QStringList{"OK"} << "OK"
                                 << DialogAnswer::Ok;
  QTest::newRow("information") << DialogKind::Information << false << "Informationen"
                               << int(QMessageBox::Information) << QStringList{"OK"} << "OK" << DialogAnswer::Ok;
  QTest::newRow("message") << DialogKind::Message << false << "Quillon" << int(QMessageBox::NoIcon)
                           << QStringList{"OK"} << "Escape" << DialogAnswer::Ok;
  QTest::newRow("Yes/No, Yes") << DialogKind::QuestionYesNo << false << "Bestätigen" << question
                               << QStringList{"&Ja", "&Nein"} << "&Ja" << DialogAnswer::Yes;
  QTest::newRow("Yes/No, No") << DialogKind::QuestionYesNo << false << "Bestätigen" << question
                              << QStringList{"&Ja", "&Nein"} << "&Nein" << DialogAnswer::No;
  QTest::newRow("Yes/No, Escape") << DialogKind::QuestionYesNo << false << "Bestätigen" << question
                                  << QStringList{"&Ja", "&Nein"} << "Escape" << DialogAnswer::No;
  QTest::newRow("Yes/Cancel, Cancel") << DialogKind::QuestionYesCancel << false << "Bestätigen" << question
                                      << QStringList{"&Ja", "Abbrechen"} << "Abbrechen" << DialogAnswer::Cancel;
  QTest::newRow("English Yes/No") << DialogKind::QuestionYesNo << true << "Confirm" << question
                                  << QStringList{"&Yes", "&No"} << "&Yes" << DialogAnswer::Yes;
  QTest::newRow("English error") << DialogKind::ErrorCancel << true << "Error" << error << QStringList{"Cancel"}
                                 << "Escape" << DialogAnswer::Cancel;
}

void ShellTest::messageBoxes() {
  QFETCH(DialogKind, kind);
  QFETCH(bool, english);
  QFETCH(QString, title);
  QFETCH(int, icon);
  QFETCH(QStringList, buttons);
  QFETCH(QString, press);
  QFETCH(DialogAnswer, answer);
  app_->UseShippedLanguages();
  TQtDialogs dialogs;
  if (english) TLangDispatcher::Instance().SetActiveIndex(2);

  QString shownTitle, shownText;
  int shownIcon = -1;
  QStringList shownButtons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    shownTitle = box->windowTitle();
    shownText = box->text();
    shownIcon = box->icon();
    for (QAbstractButton* b : box->buttons()) shownButtons << b->text();
    if (press == "Escape") {
      QTest::keyClick(box, Qt::Key_Escape);
      return;
    }
    for (QAbstractButton* b : box->buttons())
      if (b->text() == press) b->click();
  });
  QCOMPARE(dialogs.Show(kind, "Erste Zeile\r\nzweite Zeile"), answer);
  QCOMPARE(shownTitle, title);
  QCOMPARE(shownText, QString("Erste Zeile\nzweite Zeile"));
  QCOMPARE(shownIcon, icon);
  shownButtons.sort();
  buttons.sort();
  QCOMPARE(shownButtons, buttons);
}

// ---------------------------------------------------------------- language file

void ShellTest::languageFileCoversEveryText() {
  app_->UseShippedLanguages();
  TLangDispatcher& languages = TLangDispatcher::Instance();
  QCOMPARE(languages.LanguageNames(), (std::vector<std::string>{"German", "English"}));

  // Every window of the program, so that every table is attached.
  app_->WriteSettings("[SETTINGS]\nOpenNewOnStart=1\n");
  TMainForm form(app_->paths);
  TSettings settings;
  TSettingsForm options(&settings, nullptr);
  TZaremSplash_01 splash(app_->paths, false);
  TQtDialogs dialogs;
  TChListDataList lists;
  TChListForm chLists(nullptr, lists);
  EntryFieldTexts();
  AttachCoreMessages();

  QStringList missing, known;
  for (const TLanguageTable* table : languages.Tables())
    for (const std::string& key : table->Keys()) {
      const QString name = QString::fromStdString(table->Window() + "." + key);
      known << name.toLower();
      if (languages.Lookup(table->Window(), key, 2).empty()) missing << name;
    }
  QVERIFY2(missing.isEmpty(), qPrintable("no English text: " + missing.join(", ")));

  // The command-line tool's own texts, as it lists them (its test checks their English).
  QProcess cli;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QUILLON_LIST_TEXT_KEYS", "1");
  cli.setProcessEnvironment(environment);
  cli.start(QCoreApplication::applicationDirPath() + "/../src/cli/quillon-cli", {});
  QVERIFY2(cli.waitForFinished(10000) && cli.exitCode() == 0, "quillon-cli could not list its texts");
  for (const QString& key : QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
    known << key.toLower();

  // And nothing in the file that no window asks for (a misspelt key would hide a text).
  QStringList unknown;
  for (const std::string& key : IniFile(test::TAppFixture::ShippedLanguageFile()).ReadSectionKeys("English"))
    if (!known.contains(QString::fromStdString(key).toLower())) unknown << QString::fromStdString(key);
  QVERIFY2(unknown.isEmpty(), qPrintable("not used: " + unknown.join(", ")));
}

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
