#pragma once
// The NIT editor panel: three pages over one TNitEditor. Every rule lives in the core;
// the widgets only show its state and call its setters.
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "editor/nit_editor.h"
#include "platform/paths.h"

class QTabWidget;

namespace quillon {

class TStream;

class TTableEditFrame : public QWidget {
  Q_OBJECT

 public:
  explicit TTableEditFrame(TProgramPaths paths, QWidget* parent = nullptr);
  ~TTableEditFrame() override;

  TNitEditor& Editor();
  // The core's flag; the entry fields report their edits through the core setters.
  bool Modified() const;
  // Forwards to the core, then refreshes every widget from it.
  bool LoadConfiguration(TStream* stream, int fileVer, int prgVer);
  bool SaveConfiguration(TStream* stream);
  // Builds the NIT; a successful build refreshes the preview, a stopped one leaves the
  // previous preview on show.
  bool CreateNITTable();

  std::function<void()> CloseProc;                 // the close button
  std::function<void(const QString&)> StatusProc;  // export results and other notes

  QTabWidget* PageControl1() const;
  // Re-applies the texts of the active language.
  void UpdateStrings();
  // Shows the core's state in every widget and the preview, e.g. after the core was
  // changed or loaded directly.
  void RefreshFromEditor();

  static constexpr QSize kDesignedClientSize{630, 609};

 private:
  struct Ui;

  void BuildCommonPage();
  void BuildEditPage();
  void BuildPreviewPage();
  void Connect();

  void UpdateLayout();
  void UpdateOptionBoxes();
  void UpdateVariantWidgets();
  void UpdateExportWidgets();
  void UpdateEditButtons();
  void FillStreams();
  void FillServices();
  int32_t FocusedStream() const;
  int32_t FocusedService() const;
  void ResetFieldFlags();

  void rgNetworkTypeClick(int index);
  void PageControl1Change(int index);
  void btnExportNITClick();
  void btnChListsClick();
  void AddStreamClick();
  void DeleteStreamClick();
  void AddServiceClick();
  void DeleteServiceClick();

  std::unique_ptr<TNitEditor> editor_;
  std::unique_ptr<Ui> ui_;
};

}  // namespace quillon
