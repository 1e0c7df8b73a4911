#include "editor/ui/table_edit_frame.h"

#include <QTabWidget>
#include <QVBoxLayout>

namespace quillon {

struct TTableEditFrame::Ui {
  QTabWidget* pageControl1 = nullptr;
};

TTableEditFrame::TTableEditFrame(TProgramPaths paths, QWidget* parent)
    : QWidget(parent), editor_(std::make_unique<TNitEditor>(std::move(paths))), ui_(std::make_unique<Ui>()) {
  auto* layout = new QVBoxLayout(this);
  ui_->pageControl1 = new QTabWidget(this);
  ui_->pageControl1->setObjectName("PageControl1");
  layout->addWidget(ui_->pageControl1);
  editor_->StatusProc = [this](const std::string& msg) {
    if (StatusProc) StatusProc(QString::fromStdString(msg));
  };
  editor_->ResetModified();
}

TTableEditFrame::~TTableEditFrame() = default;

TNitEditor& TTableEditFrame::Editor() { return *editor_; }
bool TTableEditFrame::Modified() const { return editor_->Modified(); }

bool TTableEditFrame::LoadConfiguration(TStream* stream, int fileVer, int prgVer) {
  return editor_->LoadConfiguration(stream, fileVer, prgVer);
}

bool TTableEditFrame::SaveConfiguration(TStream* stream) { return editor_->SaveConfiguration(stream); }

QTabWidget* TTableEditFrame::PageControl1() const { return ui_->pageControl1; }

void TTableEditFrame::UpdateStrings() {}

}  // namespace quillon
