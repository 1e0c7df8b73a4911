#pragma once
// The small entry fields of the editor's first page. Each shows a value set by the
// program, accepts the user's text when editing ends (Return or leaving the field),
// refuses a bad text with a message box and the previous value, and remembers whether
// the user changed it since the last ResetUserModified.
#include <QLineEdit>
#include <QSpinBox>
#include <QString>
#include <cstdint>

#include "vocabulary/entry_text.h"

namespace quillon {

class TLanguageTable;

// The texts of the entry fields' messages, shared by every field.
TLanguageTable& EntryFieldTexts();

// A hexadecimal or binary number with its prefix, e.g. the network id "0x0000".
class TBinHexEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TBinHexEdit(QWidget* parent = nullptr);

  void SetFormat(const TBaseEntryFormat& format);
  const TBaseEntryFormat& Format() const { return format_; }
  uint32_t Value() const { return value_; }
  // Shows `value` (clamped to the format's range); not a user modification.
  void SetValue(uint32_t value);
  bool UserModified() const { return userModified_; }
  void ResetUserModified() { userModified_ = false; }

 signals:
  // The user's accepted new value.
  void valueEdited(uint32_t value);

 private:
  void Commit();

  TBaseEntryFormat format_ = kNetworkIdEntry;
  uint32_t value_ = 0;
  bool userModified_ = false;
  bool committing_ = false;
};

// A whole number in a fixed range (the version number 0..31).
class TNumberEdit : public QSpinBox {
  Q_OBJECT

 public:
  explicit TNumberEdit(QWidget* parent = nullptr);

  // Not a user modification.
  void SetValue(int value);
  bool UserModified() const { return userModified_; }
  void ResetUserModified() { userModified_ = false; }

 signals:
  void valueEdited(int value);

 private:
  bool userModified_ = false;
};

// An IPv4 address as dotted text, "0.0.0.0" until set.
class TIPv4Edit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TIPv4Edit(QWidget* parent = nullptr);

  QString Address() const { return address_; }
  // Shows `address` as given; not a user modification.
  void SetAddress(const QString& address);
  bool UserModified() const { return userModified_; }
  void ResetUserModified() { userModified_ = false; }

 signals:
  void addressEdited(const QString& address);

 private:
  void Commit();

  QString address_ = kEmptyIPv4;
  bool userModified_ = false;
  bool committing_ = false;
};

}  // namespace quillon
