#pragma once
// The three grids of the "NIT-Editor" page over one editor: vtCableDescr, vtTerrestDescr
// and vtServices. The focused transport-stream row decides which services the services
// grid shows; the editor remembers that row as its selected one.
#include <QObject>
#include <QStringList>

#include "editor/nit_editor.h"
#include "editor/service_grid.h"
#include "editor/stream_grid.h"

class QWidget;

namespace quillon {

class TGridModel;
class TGridView;

class TNitEditGrids : public QObject {
  Q_OBJECT

 public:
  TNitEditGrids(TNitEditor& editor, QWidget* parent);
  ~TNitEditGrids() override;

  TGridView* vtCableDescr() const { return cableView_; }
  TGridView* vtTerrestDescr() const { return terrestView_; }
  TGridView* vtServices() const { return serviceView_; }
  // The grid of the editor's network type.
  TGridView* StreamGrid() const;
  TGridModel* StreamModel() const;
  TGridModel* ServiceModel() const { return serviceModel_; }

  // Record indexes of the focused rows, or -1.
  int32_t FocusedStream() const;
  int32_t FocusedService() const;

  // Rebuilds the stream grids from the editor (its row order, its selected row) and
  // refills the services grid.
  void ShowStreams();
  // Refills the services grid with the services of the focused stream, in list order.
  void ShowServices();
  // Keep the services grid in step after a service of the focused stream was added (its
  // row goes last and gets the focus) or removed.
  void ServiceAdded();
  void ServiceRemoved(int32_t record);

  // Column "HD Kanal Nummer" is shown at start and afterwards follows every change of the
  // HD simulcast option; "Kanal Liste" is shown exactly while NorDig V2 is the variant.
  void FollowHDOption(bool checked);
  void FollowVariant(TLcnVariant variant);

  // Header texts in the active language (empty lists: the German ones).
  void SetHeaders(const QStringList& cable, const QStringList& terrestrial, const QStringList& services);

 signals:
  // The focused row of a grid moved to another record; buttons follow.
  void FocusChanged();
  // A cell edit was taken.
  void Edited();

 private:
  void StreamFocusChanged(int record);

  TNitEditor& editor_;
  TStreamGridTable cableTable_;
  TStreamGridTable terrestTable_;
  TServiceGridTable serviceTable_;
  TGridModel* cableModel_ = nullptr;
  TGridModel* terrestModel_ = nullptr;
  TGridModel* serviceModel_ = nullptr;
  TGridView* cableView_ = nullptr;
  TGridView* terrestView_ = nullptr;
  TGridView* serviceView_ = nullptr;
  bool hdChecked_ = false;
};

}  // namespace quillon
