#include "app/splash_form.h"

#include <QDesktopServices>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

#include "app/version_info.h"
#include "widgets/captions.h"

namespace quillon {

namespace {

constexpr QSize kWindowSize{480, 300};
constexpr QRect kFrameRect{16, 16, 241, 236};
// The scrolling text inside the frame: 8 px from its left edge, 12 px below its top.
constexpr int kScrollLeft = 8;
constexpr int kScrollTop = 12;
constexpr int kScrollWidth = 217;
constexpr int kScrollStepMs = 40;

constexpr TCaptionRow kCaptions[] = {
    {"lbSmallPrint", "Caption", "© Quillon developers. Alle Rechte vorbehalten."},
};

// Headings of the version information in the About box; the values are the program's own.
constexpr std::pair<const char*, const char*> kHeadings[] = {
    {"sFileDescription", "Dateibeschreibung"}, {"sProductName", "Produktname"},
    {"sFileVersion", "Dateiversion"},         {"sProductVersion", "Produktversion"},
    {"sComments", "Kommentar"},               {"sBuildFlags", "Build-Flags"},
    {"sInternalName", "Interner Name"},       {"sContact", "Kontakt"},
};

QLabel* MakeLabel(QWidget* parent, const char* name, int pixelSize, bool bold, QRect geometry,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  label->setGeometry(geometry);
  label->setAlignment(align);
  label->setStyleSheet("color: white; background: transparent;");
  return label;
}

}  // namespace

// ---------------------------------------------------------------- TScrollText

TScrollText::TScrollText(QWidget* parent) : QWidget(parent), timer_(new QTimer(this)) {
  setObjectName("pnScroll");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  timer_->setInterval(kScrollStepMs);
  connect(timer_, &QTimer::timeout, this, &TScrollText::Step);
}

void TScrollText::SetLines(std::vector<QString> lines) {
  lines_ = std::move(lines);
  update();
}

void TScrollText::Step() {
  const int textHeight = static_cast<int>(lines_.size()) * fontMetrics().lineSpacing();
  // Once the last line has left at the top, the text comes in again from the bottom.
  offset_ = offset_ > height() + textHeight ? 0 : offset_ + 1;
  update();
}

void TScrollText::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(Qt::white);
  const int lineHeight = fontMetrics().lineSpacing();
  int y = height() - offset_;
  for (const QString& line : lines_) {
    if (y + lineHeight > 0 && y < height())
      p.drawText(QRect(0, y, width(), lineHeight), Qt::AlignHCenter | Qt::AlignVCenter, line);
    y += lineHeight;
  }
}

void TScrollText::showEvent(QShowEvent*) { timer_->start(); }
void TScrollText::hideEvent(QHideEvent*) { timer_->stop(); }

// ---------------------------------------------------------------- TZaremSplash_01

QPointer<TZaremSplash_01> TZaremSplash_01::showing_;

TZaremSplash_01::TZaremSplash_01(const TProgramPaths& paths, bool closeTimer, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      settings_(LoadSplashSettings(paths)),
      lang_("TZaremSplash_01"),
      closeTimer_(closeTimer) {
  setObjectName("TZaremSplash_01");
  setFixedSize(kWindowSize);
  OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

  pnFrame_ = new QFrame(this);
  pnFrame_->setObjectName("pnFrame");
  pnFrame_->setGeometry(kFrameRect);
  const int inner = kFrameRect.width() - 2 * kScrollLeft;
  lbPrgName1_ = MakeLabel(pnFrame_, "lbPrgName1", 34, true, QRect(kScrollLeft, 40, inner, 44), Qt::AlignCenter);
  lbPrgName2_ = MakeLabel(pnFrame_, "lbPrgName2", 20, false, QRect(kScrollLeft, 86, inner, 28), Qt::AlignCenter);
  lbRelease_ = MakeLabel(pnFrame_, "lbRelease", 14, false, QRect(kScrollLeft, 180, inner, 24), Qt::AlignCenter);
  lbPrgName1_->setText(QString::fromStdString(settings_.PrgName1));
  lbPrgName2_->setText(QString::fromStdString(settings_.PrgName2));
  lbRelease_->setText(QString::fromStdString(ReleaseText(ProgramVersionInfo())));

  pnScroll_ = new TScrollText(pnFrame_);
  pnScroll_->setGeometry(kScrollLeft, kScrollTop, kScrollWidth, kFrameRect.height() - 20);
  pnScroll_->hide();

  const QRect bottom(kFrameRect.left(), kFrameRect.bottom() + 12, kWindowSize.width() - 2 * kFrameRect.left(), 20);
  lbSmallPrint_ = MakeLabel(this, "lbSmallPrint", 11, false, bottom);
  lbWebAddress_ = MakeLabel(this, "lbWebAddress", 12, false, bottom);
  lbWebAddress_->setText(QString("<a style=\"color: white;\" href=\"%1\">%1</a>").arg(kMakerWebAddress));
  lbWebAddress_->setCursor(Qt::PointingHandCursor);
  lbWebAddress_->installEventFilter(this);
  lbWebAddress_->hide();

  AddCaptions(lang_, kCaptions);
  for (const auto& [key, german] : kHeadings) lang_.Add(key, german);
  // The labels follow a language switch only once the window is complete.
  lang_.OnChange = [this] {
    if (created_) UpdateStrings();
  };
  UpdateStrings();
  created_ = true;
}

TZaremSplash_01::~TZaremSplash_01() = default;

QString TZaremSplash_01::Text(const char* key) const { return QString::fromStdString(lang_.Text(key)); }

void TZaremSplash_01::UpdateStrings() {
  ApplyCaptions(this, lang_, kCaptions);
  pnScroll_->SetLines(InfoLines());
}

std::vector<QString> TZaremSplash_01::InfoLines() const {
  const TVersionInfo& v = ProgramVersionInfo();
  const std::pair<const char*, const std::string*> entries[] = {
      {"sFileDescription", &v.FileDescription}, {"sProductName", &v.ProductName},
      {"sFileVersion", &v.FileVersion},         {"sProductVersion", &v.ProductVersion},
      {"sComments", &v.Comments},               {"sBuildFlags", &v.BuildFlags},
      {"sInternalName", &v.InternalName},
  };
  std::vector<QString> lines;
  for (const auto& [key, value] : entries) {
    lines.push_back(Text(key) + ":");
    lines.push_back(value->empty() ? QString("-") : QString::fromStdString(*value));
    lines.push_back(QString());
  }
  lines.push_back(Text("sContact") + ":");
  lines.push_back(kMakerName);
  lines.push_back(kMakerWebAddress);
  lines.push_back(kMakerMail);
  return lines;
}

TZaremSplash_01* TZaremSplash_01::ShowStartSplash(const TProgramPaths& paths) {
  auto* splash = new TZaremSplash_01(paths, true);
  if (!splash->Settings().ShowSplash) {
    delete splash;
    return nullptr;
  }
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->CentreOn(nullptr);
  splash->show();
  return splash;
}

TZaremSplash_01* TZaremSplash_01::ShowInfoBox(const TProgramPaths& paths, QWidget* parent) {
  if (IsShowing()) return nullptr;
  auto* box = new TZaremSplash_01(paths, false, parent);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  box->CentreOn(parent);
  box->show();
  box->activateWindow();
  box->setFocus();
  // A single-shot timer rather than a busy wait, so no other handler runs inside this one.
  QTimer::singleShot(kInfoDelayMs, box, &TZaremSplash_01::EnterInfoMode);
  return box;
}

bool TZaremSplash_01::IsShowing() { return showing_ && showing_->isVisible(); }

void TZaremSplash_01::showEvent(QShowEvent*) {
  showing_ = this;
  if (closeTimer_) QTimer::singleShot(settings_.ShowTime, this, &QWidget::close);
}

void TZaremSplash_01::CentreOn(QWidget* over) {
  QRect area = over && over->isVisible() ? over->frameGeometry() : QRect();
  if (area.isEmpty())
    if (QScreen* s = screen()) area = s->availableGeometry();
  move(area.center() - rect().center());
}

void TZaremSplash_01::EnterInfoMode() {
  infoMode_ = true;
  lbPrgName1_->hide();
  lbPrgName2_->hide();
  lbRelease_->hide();
  lbSmallPrint_->hide();
  lbWebAddress_->show();
  pnScroll_->show();
}

void TZaremSplash_01::CloseSoon() {
  if (closing_) return;
  closing_ = true;
  QTimer::singleShot(kCloseDelayMs, this, &QWidget::close);
}

void TZaremSplash_01::keyPressEvent(QKeyEvent* event) {
  if (!closeTimer_ && event->key() == Qt::Key_Escape) {
    CloseSoon();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TZaremSplash_01::mousePressEvent(QMouseEvent* event) {
  if (!closeTimer_ && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)) {
    CloseSoon();
    return;
  }
  QWidget::mousePressEvent(event);
}

bool TZaremSplash_01::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbWebAddress_ && event->type() == QEvent::MouseButtonPress) {
    if (OpenUrl) OpenUrl(QUrl(kMakerWebAddress));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TZaremSplash_01::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, width(), height());
  sky.setColorAt(0, QColor(0x0B, 0x2A, 0x4A));
  sky.setColorAt(1, QColor(0x0F, 0x6E, 0x78));
  p.fillRect(rect(), sky);

  // Signal arcs rising from the lower right: the network the program describes.
  const QPointF source(width() - 40, kFrameRect.bottom() - 10);
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 4; ++i) {
    p.setPen(QPen(QColor(255, 255, 255, 150 - 25 * i), 3));
    const qreal r = 26.0 * i;
    p.drawArc(QRectF(source.x() - r, source.y() - r, 2 * r, 2 * r), 90 * 16, 90 * 16);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(source, 5, 5);

  // The frame: a lighter pane for the names, and in the About box for the scrolling text.
  p.setPen(QPen(QColor(255, 255, 255, 160), 1));
  p.setBrush(QColor(255, 255, 255, 28));
  p.drawRoundedRect(QRectF(kFrameRect).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

  p.setPen(Qt::white);
  QFont title = font();
  title.setPixelSize(36);
  title.setBold(true);
  p.setFont(title);
  const QRect right(kFrameRect.right() + 16, kFrameRect.top() + 10, width() - kFrameRect.right() - 32, 48);
  p.drawText(right, Qt::AlignLeft | Qt::AlignVCenter, "Quillon");
  QFont subtitle = font();
  subtitle.setPixelSize(15);
  p.setFont(subtitle);
  p.drawText(right.translated(2, 46), Qt::AlignLeft | Qt::AlignVCenter, "NIT-Editor");
}

}  // namespace quillon
