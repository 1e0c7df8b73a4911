#include "editor/ui/nit_edit_grids.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include "editor/ui/grid_model.h"
#include "editor/ui/grid_view.h"
#include "editor/ui/service_icons.h"

namespace quillon {

namespace {

TGridView* MakeView(QWidget* parent, const char* name, TGridModel* model, bool sortable) {
  auto* view = new TGridView(parent);
  view->setObjectName(name);
  view->setModel(model);
  view->SetSortable(sortable);
  return view;
}

}  // namespace

TNitEditGrids::TNitEditGrids(TNitEditor& editor, QWidget* parent)
    : QObject(parent),
      editor_(editor),
      cableTable_(editor, TNetworkType::Cable),
      terrestTable_(editor, TNetworkType::Terrestrial),
      serviceTable_(editor) {
  cableModel_ = new TGridModel(cableTable_, {}, this);
  terrestModel_ = new TGridModel(terrestTable_, {}, this);
  serviceModel_ = new TGridModel(serviceTable_, ServiceImages(), this);
  cableView_ = MakeView(parent, "vtCableDescr", cableModel_, true);
  terrestView_ = MakeView(parent, "vtTerrestDescr", terrestModel_, true);
  serviceView_ = MakeView(parent, "vtServices", serviceModel_, true);
  cableView_->SetColumnWidths({54, 54, 54, 64, 92, 72, 76});
  terrestView_->SetColumnWidths({54, 54, 54, 64, 70, 116, 38, 38, 88, 214, 86, 86, 66});
  // The channel-list column, when shown, keeps its width and the grid scrolls to it.
  serviceView_->horizontalHeader()->setStretchLastSection(false);
  serviceView_->SetColumnWidths({168, 70, 60, 96, 124, 160});
  for (TGridView* v : {cableView_, terrestView_}) v->setColumnHidden(TStreamGridTable::kNetIDColumn, true);
  serviceView_->setColumnHidden(TServiceGridTable::kChannelList, true);

  for (TGridView* v : {cableView_, terrestView_})
    connect(v, &TGridView::CurrentRecordChanged, this, &TNitEditGrids::StreamFocusChanged);
  connect(serviceView_, &TGridView::CurrentRecordChanged, this, &TNitEditGrids::FocusChanged);
  for (TGridModel* m : {cableModel_, terrestModel_, serviceModel_})
    connect(m, &TGridModel::CellEdited, this, &TNitEditGrids::Edited);
}

TNitEditGrids::~TNitEditGrids() = default;

TGridView* TNitEditGrids::StreamGrid() const {
  return editor_.NetworkType() == TNetworkType::Terrestrial ? terrestView_ : cableView_;
}

TGridModel* TNitEditGrids::StreamModel() const {
  return editor_.NetworkType() == TNetworkType::Terrestrial ? terrestModel_ : cableModel_;
}

int32_t TNitEditGrids::FocusedStream() const { return StreamGrid()->CurrentRecord(); }
int32_t TNitEditGrids::FocusedService() const { return serviceView_->CurrentRecord(); }

void TNitEditGrids::ShowStreams() {
  for (TGridView* v : {cableView_, terrestView_}) {
    QSignalBlocker block(v);
    v->GridModel()->Reload();
  }
  StreamGrid()->SetCurrentRecord(editor_.SelectedRow());
  ShowServices();
}

void TNitEditGrids::ShowServices() {
  {
    QSignalBlocker block(serviceView_);
    serviceTable_.SetStream(FocusedStream());
    serviceModel_->Reload();
  }
  emit FocusChanged();
}

void TNitEditGrids::ServiceAdded() {
  {
    QSignalBlocker block(serviceView_);
    serviceTable_.ServiceAppended();
    serviceModel_->Reload();
    const int32_t added = static_cast<int32_t>(serviceTable_.RowCount()) - 1;
    serviceView_->SetCurrentRecord(added >= 0 ? static_cast<int32_t>(serviceTable_.RecordAt(static_cast<size_t>(added))) : -1);
  }
  emit FocusChanged();
}

void TNitEditGrids::ServiceRemoved(int32_t record) {
  {
    QSignalBlocker block(serviceView_);
    if (record >= 0) serviceTable_.ServiceRemoved(static_cast<size_t>(record));
    serviceModel_->Reload();
  }
  emit FocusChanged();
}

void TNitEditGrids::StreamFocusChanged(int record) {
  editor_.SetSelectedRow(record);
  ShowServices();
}

void TNitEditGrids::FollowHDOption(bool checked) {
  if (checked == hdChecked_) return;
  hdChecked_ = checked;
  serviceView_->setColumnHidden(TServiceGridTable::kHDLCN, !checked);
}

void TNitEditGrids::FollowVariant(TLcnVariant variant) {
  serviceView_->setColumnHidden(TServiceGridTable::kChannelList, variant != TLcnVariant::NorDigV2);
}

void TNitEditGrids::SetHeaders(const QStringList& cable, const QStringList& terrestrial, const QStringList& services) {
  cableModel_->SetHeaders(cable);
  terrestModel_->SetHeaders(terrestrial);
  serviceModel_->SetHeaders(services);
}

}  // namespace quillon
