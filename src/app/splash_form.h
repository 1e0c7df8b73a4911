#pragma once
// The start splash and, in its second role, the About box. The splash shows the program
// name labels and the release for "ShowTime" ms; the About box replaces them after a
// second by the version information scrolling through the frame, and closes on Escape
// or a click.
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "platform/language.h"

class QFrame;
class QLabel;
class QTimer;

namespace quillon {

// Lines moving upwards through the widget, over whatever lies behind it.
class TScrollText : public QWidget {
  Q_OBJECT

 public:
  explicit TScrollText(QWidget* parent = nullptr);
  void SetLines(std::vector<QString> lines);
  const std::vector<QString>& Lines() const { return lines_; }
  int Offset() const { return offset_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Step();

  std::vector<QString> lines_;
  int offset_ = 0;  // pixels the text has moved up from the bottom edge
  QTimer* timer_;
};

class TZaremSplash_01 : public QWidget {
  Q_OBJECT

 public:
  // Reads section "SPLASH" of the settings file; with `closeTimer` the window closes
  // itself "ShowTime" ms after it is shown.
  explicit TZaremSplash_01(const TProgramPaths& paths, bool closeTimer, QWidget* parent = nullptr);
  ~TZaremSplash_01() override;

  // The start splash: shown borderless, centred and on top, deleting itself when it
  // closes; nullptr when "ShowSplash" is off.
  static TZaremSplash_01* ShowStartSplash(const TProgramPaths& paths);
  // The About box over `parent`; nothing while a splash or About box is showing.
  static TZaremSplash_01* ShowInfoBox(const TProgramPaths& paths, QWidget* parent);
  static bool IsShowing();

  const TSplashSettings& Settings() const { return settings_; }
  bool InfoMode() const { return infoMode_; }
  // The About box's lines: the version information, then the maker's block.
  std::vector<QString> InfoLines() const;

  // Opens the maker's web site; tests replace it.
  std::function<void(const QUrl&)> OpenUrl;

  static constexpr int kInfoDelayMs = 1000;
  static constexpr int kCloseDelayMs = 250;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void EnterInfoMode();
  void CloseSoon();
  void CentreOn(QWidget* over);
  void UpdateStrings();
  QString Text(const char* key) const;

  TSplashSettings settings_;
  TLanguageTable lang_;
  bool closeTimer_;
  bool created_ = false;
  bool infoMode_ = false;
  bool closing_ = false;
  QFrame* pnFrame_;
  QLabel* lbPrgName1_;
  QLabel* lbPrgName2_;
  QLabel* lbRelease_;
  QLabel* lbSmallPrint_;
  QLabel* lbWebAddress_;
  TScrollText* pnScroll_;

  static QPointer<TZaremSplash_01> showing_;
};

}  // namespace quillon
