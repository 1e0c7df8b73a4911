// The settings file and its parsing rules, the read-only program folder, the language
// module's start and end, and the options dialog's Apply / OK / Cancel.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <memory>

#include "app/language_module.h"
#include "app/main_form.h"
#include "app/settings.h"
#include "app/settings_form.h"
#include "platform/language.h"
#include "support/app_fixture.h"

using namespace quillon;
namespace fs = std::filesystem;

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { app_ = std::make_unique<test::TAppFixture>(); }
  void cleanup() { app_.reset(); }

  void parseSettingInteger_data();
  void parseSettingInteger();
  void splashSettings_data();
  void splashSettings();
  void languageModule_data();
  void languageModule();
  void readOnlyProgramFolder();
  void readOnlyFileSystemIsSeen();
  void optionsDialog_data();
  void optionsDialog();
  void optionsDialogListsTheLanguages();
  void optionsThroughTheMainWindow_data();
  void optionsThroughTheMainWindow();

 private:
  std::unique_ptr<test::TAppFixture> app_;
};

// ---------------------------------------------------------------- settings file

void SettingsTest::parseSettingInteger_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("value");  // the default is -7

  QTest::newRow("decimal") << "3000" << 3000;
  QTest::newRow("zero") << "0" << 0;
  QTest::newRow("negative") << "-3" << -3;
  QTest::newRow("blanks around") << " 12\t" << 12;
  QTest::newRow("hexadecimal") << "0x1F" << 31;
  QTest::newRow("hexadecimal, capital X") << "0XbB8" << 3000;
  QTest::newRow("empty") << "" << -7;
  QTest::newRow("blanks only") << "  " << -7;
  QTest::newRow("word") << "true" << -7;
  QTest::newRow("trailing characters") << "12ms" << -7;
  QTest::newRow("prefix only") << "0x" << -7;
  QTest::newRow("sign after prefix") << "0x-1" << -7;
  QTest::newRow("decimal point") << "1.5" << -7;
  QTest::newRow("too large") << "2147483648" << -7;
  QTest::newRow("largest") << "2147483647" << 2147483647;
  QTest::newRow("hexadecimal too large") << "0x100000000" << -7;
}

void SettingsTest::parseSettingInteger() {
  QFETCH(QString, text);
  QFETCH(int, value);
  QCOMPARE(ParseSettingInteger(text.toStdString(), -7), value);
}

void SettingsTest::splashSettings_data() {
  QTest::addColumn<QString>("file");  // empty: no settings file
  QTest::addColumn<QString>("name1");
  QTest::addColumn<QString>("name2");
  QTest::addColumn<int>("showTime");
  QTest::addColumn<bool>("showSplash");

  QTest::newRow("no file: defaults") << "" << "Zarem" << "Software" << 3000 << true;
  QTest::newRow("other sections only") << "[SETTINGS]\nOpenNewOnStart=1\n" << "Zarem" << "Software" << 3000 << true;
  QTest::newRow("every key") << "[SPLASH]\nPrgName1=Nord\nPrgName2=Kabel\nShowTime=500\nShowSplash=0\n"
                             << "Nord" << "Kabel" << 500 << false;
  QTest::newRow("hexadecimal time, any number is true") << "[splash]\nshowtime=0x64\nshowsplash=5\n"
                                                        << "Zarem" << "Software" << 100 << true;
  QTest::newRow("unparsable values: defaults") << "[SPLASH]\nShowTime=fast\nShowSplash=no\n"
                                               << "Zarem" << "Software" << 3000 << true;
}

void SettingsTest::splashSettings() {
  QFETCH(QString, file);
  QFETCH(QString, name1);
  QFETCH(QString, name2);
  QFETCH(int, showTime);
  QFETCH(bool, showSplash);
  if (!file.isEmpty()) app_->WriteSettings(file.toStdString());
  const TSplashSettings s = LoadSplashSettings(app_->paths);
  QCOMPARE(QString::fromStdString(s.PrgName1), name1);
  QCOMPARE(QString::fromStdString(s.PrgName2), name2);
  QCOMPARE(s.ShowTime, showTime);
  QCOMPARE(s.ShowSplash, showSplash);
  // Read only: the splash never writes the file.
  QCOMPARE(QString::fromStdString(app_->SettingsText()), file);
}

// ---------------------------------------------------------------- language module

void SettingsTest::languageModule_data() {
  QTest::addColumn<bool>("languageFile");
  QTest::addColumn<QString>("activeIdx");  // in the settings file; empty: none
  QTest::addColumn<int>("active");
  QTest::addColumn<int>("count");

  QTest::newRow("no language file") << false << "2" << 1 << 1;
  QTest::newRow("no index") << true << "" << 1 << 2;
  QTest::newRow("second") << true << "2" << 2 << 2;
  QTest::newRow("zero: the first") << true << "0" << 1 << 2;
  QTest::newRow("negative: the first") << true << "-4" << 1 << 2;
  QTest::newRow("too large: the last") << true << "9" << 2 << 2;
  QTest::newRow("hexadecimal") << true << "0x2" << 2 << 2;
  QTest::newRow("unparsable: the first") << true << "two" << 1 << 2;
}

void SettingsTest::languageModule() {
  QFETCH(bool, languageFile);
  QFETCH(QString, activeIdx);
  QFETCH(int, active);
  QFETCH(int, count);
  // The language file lies beside the program; the settings file may be elsewhere.
  test::TempDir program;
  TProgramPaths programPaths{program.Path(), "quillon"};
  if (languageFile) fs::copy_file(test::TAppFixture::ShippedLanguageFile(), program / "quillon.sil");
  if (!activeIdx.isEmpty()) app_->WriteSettings("[LANGUAGE]\nActiveIdx=" + activeIdx.toStdString() + "\n");

  TLangDispatcher& languages = TLangDispatcher::Instance();
  {
    TLanguageModule module(programPaths, app_->paths);
    QCOMPARE(languages.LanguageCount(), count);
    QCOMPARE(languages.ActiveIndex(), active);
    QCOMPARE(module.LanguageFile().empty(), !languageFile);
    languages.SetActiveIndex(count);
  }
  // At the end the active index is stored beside the other settings.
  QCOMPARE(app_->Setting("LANGUAGE", "ActiveIdx"), std::to_string(count));
  QVERIFY(!fs::exists(program / "quillon.dat"));
  QCOMPARE(app_->dialogs.shown.size(), size_t(0));
}

// ---------------------------------------------------------------- read-only program folder

void SettingsTest::readOnlyProgramFolder() {
  test::TempDir home;
  const fs::path appData = home / "share" / "Quillon";
  const TProgramPaths program = app_->paths;
  auto readOnly = [&](const fs::path& folder) { return folder == program.ProgramFolder; };

  const TProgramPaths writable = ResolveProgramPaths(program, appData, [](const fs::path&) { return false; });
  QCOMPARE(writable.ProgramFolder, program.ProgramFolder);

  const TProgramPaths paths = ResolveProgramPaths(program, appData, readOnly);
  QCOMPARE(paths.ProgramFolder, appData);
  QCOMPARE(paths.ProgramName, program.ProgramName);
  QVERIFY(fs::is_directory(appData));
  QCOMPARE(paths.SettingsFile(), appData / "quillon.dat");
  QCOMPARE(paths.DataFolder(), appData / "Data");

  // The whole program uses them: options and projects land in the application-data folder.
  app_->files.answers = {""};
  {
    TMainForm form(paths);
    form.Session().New();
    form.aSave->trigger();
  }
  QCOMPARE(app_->files.asked.size(), size_t(1));
  QCOMPARE(app_->files.asked[0].Folder, QString::fromStdString((appData / "Data").string()));
  QVERIFY(fs::exists(appData / "quillon.dat"));
  QVERIFY(!fs::exists(program.SettingsFile()));
  QVERIFY(!fs::exists(program.DataFolder()));
}

void SettingsTest::readOnlyFileSystemIsSeen() {
  QVERIFY(!IsReadOnlyFolder(app_->dir.Path()));
  std::ifstream mounts("/proc/self/mounts");
  std::string device, point, type, options;
  while (mounts >> device >> point >> type >> options) {
    std::string rest;
    std::getline(mounts, rest);
    if ((options == "ro" || options.rfind("ro,", 0) == 0) && fs::is_directory(point)) {
      QVERIFY2(IsReadOnlyFolder(point), point.c_str());
      return;
    }
  }
  QSKIP("no read-only file system mounted here");
}

// ---------------------------------------------------------------- options dialog

void SettingsTest::optionsDialog_data() {
  QTest::addColumn<QString>("steps");
  QTest::addColumn<bool>("startWithNew");    // the options afterwards
  QTest::addColumn<int>("language");         // the active language afterwards
  QTest::addColumn<QString>("changedWith");  // StartWithNew of each orgSet passed to SettingsChanged
  QTest::addColumn<bool>("accepted");

  QTest::newRow("OK without a change still applies") << "ok" << false << 1 << "0" << true;
  QTest::newRow("tick, OK") << "tick ok" << true << 1 << "0" << true;
  QTest::newRow("tick twice, OK") << "tick tick ok" << false << 1 << "0" << true;
  QTest::newRow("tick, Cancel") << "tick cancel" << false << 1 << "" << false;
  QTest::newRow("tick, Apply, Cancel keeps it") << "tick apply cancel" << true << 1 << "0" << false;
  QTest::newRow("tick, Apply, OK applies again") << "tick apply ok" << true << 1 << "0 1" << true;
  QTest::newRow("Apply without a change is disabled") << "apply cancel" << false << 1 << "" << false;
  QTest::newRow("English, Apply") << "english apply cancel" << false << 2 << "0" << false;
  QTest::newRow("English, Cancel") << "english cancel" << false << 1 << "" << false;
  QTest::newRow("English and tick, OK") << "english tick ok" << true << 2 << "0" << true;
}

void SettingsTest::optionsDialog() {
  QFETCH(QString, steps);
  QFETCH(bool, startWithNew);
  QFETCH(int, language);
  QFETCH(QString, changedWith);
  QFETCH(bool, accepted);
  app_->UseShippedLanguages();

  TSettings settings;
  QStringList changes;
  TSettingsForm form(&settings, [&](const TSettings& org) { changes << QString::number(org.StartWithNew); });
  form.show();
  QVERIFY(!form.btnApply->isEnabled());
  for (const QString& step : steps.split(' ')) {
    if (step == "tick") form.cbNewOnStart->click();
    if (step == "english") form.siLangCombo1->setCurrentIndex(1);
    if (step == "tick" || step == "english") QVERIFY(form.btnApply->isEnabled());
    if (step == "apply") {
      QTest::mouseClick(form.btnApply, Qt::LeftButton);
      QVERIFY(!form.btnApply->isEnabled());
    }
    if (step == "ok") form.btnOK->click();
    if (step == "cancel") form.btnCancel->click();
  }
  QCOMPARE(settings.StartWithNew, startWithNew);
  QCOMPARE(TLangDispatcher::Instance().ActiveIndex(), language);
  QCOMPARE(settings.ActLangIdx, changedWith.isEmpty() ? 1 : language);
  QCOMPARE(changes.join(' '), changedWith);
  QCOMPARE(form.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
  QCOMPARE(form.windowTitle(), QString(language == 2 ? "Settings" : "Einstellungen"));
  QCOMPARE(form.btnApply->text(), QString(language == 2 ? "&Apply" : "Ü&bernehmen"));
}

void SettingsTest::optionsDialogListsTheLanguages() {
  auto items = [](QComboBox* box) {
    QStringList names;
    for (int i = 0; i < box->count(); ++i) names << box->itemText(i);
    return names;
  };
  TSettings settings;
  {
    TSettingsForm form(&settings, nullptr);
    QCOMPARE(items(form.siLangCombo1), QStringList{"German"});
    QCOMPARE(form.PageControl1->tabText(0), QString("Allgemein"));
  }
  app_->UseShippedLanguages();
  TLangDispatcher::Instance().SetActiveIndex(2);
  TSettingsForm form(&settings, nullptr);
  QCOMPARE(items(form.siLangCombo1), (QStringList{"German", "English"}));
  QCOMPARE(form.siLangCombo1->currentIndex(), 1);
  QCOMPARE(form.PageControl1->tabText(0), QString("General"));
  // Opening shows the options as they are, on the first page.
  settings.StartWithNew = true;
  form.show();
  QVERIFY(form.cbNewOnStart->isChecked());
  QCOMPARE(form.PageControl1->currentIndex(), 0);
}

void SettingsTest::optionsThroughTheMainWindow_data() {
  QTest::addColumn<bool>("ok");
  QTest::newRow("OK") << true;
  QTest::newRow("Cancel") << false;
}

void SettingsTest::optionsThroughTheMainWindow() {
  QFETCH(bool, ok);
  {
    TMainForm form(app_->paths);
    QCOMPARE(app_->Setting("SETTINGS", "OpenNewOnStart"), std::string("0"));
    QTimer::singleShot(0, [ok] {
      auto* dialog = qobject_cast<TSettingsForm*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      dialog->cbNewOnStart->click();
      (ok ? dialog->btnOK : dialog->btnCancel)->click();
    });
    form.aSettings->trigger();
    QCOMPARE(form.Settings().StartWithNew, ok);
    // Written at once, not only when the window closes.
    QCOMPARE(app_->Setting("SETTINGS", "OpenNewOnStart"), std::string(ok ? "1" : "0"));
  }
  TMainForm next(app_->paths);
  QCOMPARE(next.TableFrame() != nullptr, ok);
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
