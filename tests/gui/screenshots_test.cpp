// Not a check but the README's pictures: with QUILLON_SCREENSHOTS set to a folder, saves
// each window of the desktop program there as PNG (scripts/screenshots runs it).
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QTimer>

#include "app/main_form.h"
#include "app/settings_form.h"
#include "app/splash_form.h"
#include "editor/ui/table_edit_frame.h"
#include "support/app_fixture.h"

using namespace quillon;

class ScreenshotsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void mainWindowPages();
  void optionsDialog();
  void splashAndAbout();

 private:
  void Save(QWidget* w, const char* name);
  QString folder_;
};

void ScreenshotsTest::initTestCase() {
  folder_ = qEnvironmentVariable("QUILLON_SCREENSHOTS");
  if (folder_.isEmpty()) QSKIP("QUILLON_SCREENSHOTS names no folder");
}

void ScreenshotsTest::Save(QWidget* w, const char* name) {
  QTest::qWait(50);
  const QString file = folder_ + "/" + name + ".png";
  QVERIFY2(w->grab().save(file), qPrintable(file));
}

void ScreenshotsTest::mainWindowPages() {
  test::TAppFixture app;
  TMainForm form(app.paths);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  // The cable sample of examples/, opened from "Data" as a user opens it.
  const auto sample = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples" / "cable.nip";
  std::filesystem::create_directories(app.paths.DataFolder());
  std::filesystem::copy_file(sample, app.paths.DataFolder() / "cable.nip");
  app.files.answers = {QString::fromStdString((app.paths.DataFolder() / "cable.nip").string())};
  form.aLoad->trigger();
  QVERIFY(form.TableFrame());
  const char* const pages[] = {"main-general", "main-editor", "main-preview"};
  for (int i = 0; i < 3; ++i) {
    form.TableFrame()->PageControl1()->setCurrentIndex(i);
    if (auto* tree = form.TableFrame()->findChild<QTreeView*>()) tree->expandToDepth(2);
    Save(&form, pages[i]);
  }
  app.UseShippedLanguages();
  TLangDispatcher::Instance().SetActiveIndex(2);
  form.TableFrame()->PageControl1()->setCurrentIndex(0);
  Save(&form, "main-general-english");
}

void ScreenshotsTest::optionsDialog() {
  test::TAppFixture app;
  app.UseShippedLanguages();
  TSettings settings;
  TSettingsForm form(&settings, nullptr);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  Save(&form, "options");
}

void ScreenshotsTest::splashAndAbout() {
  test::TAppFixture app;
  TZaremSplash_01 splash(app.paths, false);
  splash.show();
  QVERIFY(QTest::qWaitForWindowExposed(&splash));
  Save(&splash, "splash");
  splash.close();
  TZaremSplash_01* about = TZaremSplash_01::ShowInfoBox(app.paths, nullptr);
  QVERIFY(about);
  QTRY_VERIFY_WITH_TIMEOUT(about->InfoMode(), 3000);
  QTest::qWait(5000);  // let the text scroll into the middle of the frame
  Save(about, "about");
  about->close();
}

QTEST_MAIN(ScreenshotsTest)
#include "screenshots_test.moc"
