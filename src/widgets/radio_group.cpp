#include "widgets/radio_group.h"

#include <QVBoxLayout>

namespace quillon {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), group_(new QButtonGroup(this)) {
  new QVBoxLayout(this);
  connect(group_, &QButtonGroup::idClicked, this, &TRadioGroup::itemClicked);
}

void TRadioGroup::SetItems(const QStringList& captions) {
  for (QAbstractButton* b : group_->buttons()) {
    group_->removeButton(b);
    delete b;
  }
  for (int i = 0; i < captions.size(); ++i) {
    auto* b = new QRadioButton(captions[i], this);
    group_->addButton(b, i);
    layout()->addWidget(b);
  }
}

void TRadioGroup::SetCaptions(const QStringList& captions) {
  for (int i = 0; i < captions.size() && i < Count(); ++i) Item(i)->setText(captions[i]);
}

int TRadioGroup::Count() const { return static_cast<int>(group_->buttons().size()); }

QRadioButton* TRadioGroup::Item(int index) const { return qobject_cast<QRadioButton*>(group_->button(index)); }

int TRadioGroup::ItemIndex() const { return group_->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* b = group_->button(index)) {
    b->setChecked(true);
  } else if (QAbstractButton* checked = group_->checkedButton()) {
    group_->setExclusive(false);
    checked->setChecked(false);
    group_->setExclusive(true);
  }
}

}  // namespace quillon
