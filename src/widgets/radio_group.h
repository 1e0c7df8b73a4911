#pragma once
// A group box of exclusive radio buttons addressed by item index, like a radio group.
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

namespace quillon {

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  // Replaces the items; none is checked afterwards.
  void SetItems(const QStringList& captions);
  // Renames the items in place, keeping the checked one.
  void SetCaptions(const QStringList& captions);
  int Count() const;
  QRadioButton* Item(int index) const;
  // -1 when none is checked.
  int ItemIndex() const;
  // Not a click: no signal.
  void SetItemIndex(int index);

 signals:
  // The user picked item `index`.
  void itemClicked(int index);

 private:
  QButtonGroup* group_;
};

}  // namespace quillon
