#pragma once
// Helpers of the desktop tests: typing into fields the way a user does, and finding
// components by their object names.
#include <QAbstractButton>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>
#include <QTest>
#include <QWidget>

namespace quillon::test {

// Key presses for `text`; QTest's own keyClicks takes only ASCII.
inline void TypeText(QWidget* w, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 0x80) QTest::keyClick(w, c.toLatin1());
    else QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// Replaces the field's text by typing and ends the editing with Return.
inline void TypeInto(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
  else TypeText(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
}

inline void TypeInto(QSpinBox* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, text);
  QTest::keyClick(box, Qt::Key_Return);
}

// The child named `name`; fails the test when there is none.
template <class T = QWidget>
T* Child(QWidget* root, const QString& name) {
  T* w = root->findChild<T*>(name);
  if (!w) qFatal("no component named %s", qPrintable(name));
  return w;
}

inline void Click(QWidget* root, const QString& name) { Child<QAbstractButton>(root, name)->click(); }

}  // namespace quillon::test
