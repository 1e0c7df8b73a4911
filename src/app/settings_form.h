#pragma once
// The options dialog: whether a new project opens at start-up and the active language.
// Apply (and OK) take the values into the main window's options, switch the language
// and let the main window store them.
#include <QDialog>
#include <functional>

#include "app/settings.h"
#include "platform/language.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;

namespace quillon {

class TSettingsForm : public QDialog {
  Q_OBJECT

 public:
  // `settingsChanged` is the main window's SettingsChanged; it receives the options as
  // they were before the change.
  TSettingsForm(PSettings settings, std::function<void(const TSettings& orgSet)> settingsChanged,
                QWidget* parent = nullptr, TLangDispatcher* dispatcher = nullptr);

  PSettings PPrgSet;
  QTabWidget* PageControl1;
  QWidget* tsCommon;
  QCheckBox* cbNewOnStart;
  QComboBox* siLangCombo1;
  QPushButton* btnOK;
  QPushButton* btnCancel;
  QPushButton* btnApply;

  bool OneChanged() const { return FOneChanged; }
  void SetChanged(bool value);
  void UpdateStrings();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ControlOnChange();
  void btnApplyClick();
  void btnOKClick();

  TLangDispatcher& dispatcher_;
  TLanguageTable lang_;
  std::function<void(const TSettings&)> settingsChanged_;
  TSettings FOldSet;
  bool FOneChanged = false;
};

}  // namespace quillon
