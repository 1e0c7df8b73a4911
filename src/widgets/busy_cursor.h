#pragma once
// The busy cursor for the length of a scope, restored on every way out of it.
#include <QGuiApplication>

namespace quillon {

class TBusyCursor {
 public:
  TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// The normal cursor inside a busy scope, e.g. while a dialog waits for the user.
class TNormalCursor {
 public:
  TNormalCursor() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
  ~TNormalCursor() { QGuiApplication::restoreOverrideCursor(); }
  TNormalCursor(const TNormalCursor&) = delete;
  TNormalCursor& operator=(const TNormalCursor&) = delete;
};

}  // namespace quillon
