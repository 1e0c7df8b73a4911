// Pictures of the editing grids and the channel-list dialog with a small project, for the
// documentation and for a look at them. They go to $QUILLON_SHOTS_DIR when it is set
// (QUILLON_SHOTS_DIR=docs build/tests/gui_grid_shots_test), else to a temporary folder.
#include <QDir>
#include <QPainter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "editor/ui/ch_list_form.h"
#include "editor/ui/grid_view.h"
#include "editor/ui/service_icons.h"
#include "editor/ui/table_edit_frame.h"
#include "platform/dialogs.h"
#include "support/grid_fixture.h"
#include "support/test_util.h"
#include "widgets/radio_group.h"

using namespace quillon;
using namespace quillon::test;

class GridShotsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cableGrids();
  void terrestrialGrids();
  void channelLists();
  void serviceIcons();

 private:
  void Save(QWidget* w, const QString& file) { Save(w->grab(), file); }
  void Save(const QPixmap& picture, const QString& file) {
    QVERIFY2(picture.save(QDir(folder_).filePath(file)), qPrintable(file));
  }
  // A panel on the NIT-Editor page with streams and services of every kind of icon.
  std::unique_ptr<TTableEditFrame> Panel(bool terrestrial);

  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
  test::TempDir program;
  QTemporaryDir temporary;
  QString folder_;
};

void GridShotsTest::initTestCase() {
  folder_ = qEnvironmentVariable("QUILLON_SHOTS_DIR");
  if (folder_.isEmpty()) folder_ = temporary.path();
}

std::unique_ptr<TTableEditFrame> GridShotsTest::Panel(bool terrestrial) {
  auto frame = std::make_unique<TTableEditFrame>(TProgramPaths{program.Path(), "quillon"});
  frame->Editor().StoreLastIPOnClose = false;
  if (terrestrial) Child<TRadioGroup>(frame.get(), "rgNetworkType")->Item(1)->click();
  TNitEditor& e = frame->Editor();
  struct Service {
    const char16_t* name;
    uint8_t type;
    bool visible;
  } const services[] = {{u"Das Erste", 0x01, true},   {u"Arte HD", 0x19, true},      {u"Radio Nord", 0x02, true},
                        {u"Jazz Radio", 0x0A, false}, {u"Teletext", 0x03, true},     {u"Info-Kanal", 0x0C, false},
                        {u"Testbild", 0x01, false},   {u"RCS Map", 0x0E, true}};
  for (uint16_t ts : {3, 1, 2}) {
    size_t i = e.AddStream();
    TTransportStreamData& r = *e.Stream(i);
    r.SetTSID(ts);
    r.SetOrgNetID(0x0085);
    r.SetFreq(terrestrial ? 474.0L + 8 * ts : 330.0L + 8 * ts);
    for (size_t k = 0; k < (ts == 1 ? std::size(services) : 2u); ++k) {
      size_t s = e.AddService(i, services[k].type);
      TServiceData& d = *r.ServiceList()[s];
      d.SetServiceName(services[k].name);
      d.SetServiceID(static_cast<uint16_t>(ts * 0x100 + k + 1));
      d.SetVisible(services[k].visible);
      d.SetLogicalNumber(static_cast<int32_t>(ts * 10 + k));
      d.SetHDSimulLogicalNumber(services[k].type == 0x19 ? 101 : 0);
    }
  }
  frame->RefreshFromEditor();
  frame->resize(TTableEditFrame::kDesignedClientSize);
  frame->show();
  frame->PageControl1()->setCurrentIndex(1);
  auto* streams = Child<TGridView>(frame.get(), terrestrial ? "vtTerrestDescr" : "vtCableDescr");
  ClickHeader(streams, 0);
  ClickHeader(streams, 0);  // ascending: 1, 2, 3
  streams->setCurrentIndex(streams->model()->index(0, 0));
  return frame;
}

void GridShotsTest::cableGrids() {
  auto frame = Panel(false);
  QTest::qWait(20);
  Save(frame.get(), "grids-cable.png");
}

void GridShotsTest::terrestrialGrids() {
  auto frame = Panel(true);
  QTest::qWait(20);
  Save(frame.get(), "grids-terrestrial.png");
}

void GridShotsTest::channelLists() {
  auto frame = Panel(false);
  TNitEditor& e = frame->Editor();
  Click(frame.get(), "rbUseNorDigV2");
  const char16_t* names[] = {u"Hauptliste", u"Kinder", u"Radio"};
  const uint32_t countries[] = {0x444555, 0x4E4F52, 0x444555};
  for (int i = 0; i < 3; ++i) {
    e.ChannelList().push_back(std::make_unique<TChListData>());
    e.ChannelList().back()->SetListID(i + 1);
    e.ChannelList().back()->SetListName(names[i]);
    e.ChannelList().back()->SetCountryCode(countries[i]);
  }
  TServiceList& services = e.Stream(1)->ServiceList();
  for (size_t k = 0; k < services.size(); ++k) services[k]->SetChannelListID(k < 2 ? 1 : k < 4 ? 3 : 2);
  auto* grid = Child<TGridView>(frame.get(), "vtServices");
  QTest::qWait(20);
  grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
  QTest::qWait(20);
  Save(frame.get(), "grids-nordig-lists.png");

  bool shot = RunModal<TChListForm>(
      frame.get(), "btnChLists",
      [&](TChListForm& dialog) {
        dialog.Grid()->setCurrentIndex(dialog.Grid()->model()->index(1, 1));
        QTest::qWait(20);
        Save(&dialog, "ch-lists.png");
      },
      "btnClose");
  QVERIFY(shot);
}

// The six images, eight times their size, on the grid's background.
void GridShotsTest::serviceIcons() {
  const QList<QPixmap>& images = ServiceImages();
  const int scale = 8, cell = kServiceIconSize * scale + 16;
  QPixmap sheet(cell * 2, cell * 3);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  for (int i = 0; i < images.size(); ++i)
    p.drawPixmap(QRect((i % 2) * cell + 8, (i / 2) * cell + 8, kServiceIconSize * scale, kServiceIconSize * scale),
                 images[i]);
  p.end();
  Save(sheet, "service-icons.png");
}

QTEST_MAIN(GridShotsTest)
#include "grid_shots_test.moc"
