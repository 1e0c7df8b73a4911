#include "editor/ui/service_icons.h"

#include <QPainter>
#include <QPainterPath>

#include "editor/cell_rules.h"

namespace quillon {

namespace {

// The painter's colours; a dimmed image takes each colour's grey, lightened towards white.
struct TInk {
  bool dim;
  QColor operator()(const char* name) const {
    QColor c(name);
    if (!dim) return c;
    const int g = qGray(c.rgb());
    const int v = (g * 45 + 255 * 55) / 100;
    return QColor(v, v, v);
  }
};

void DrawTelevision(QPainter& p, const TInk& ink) {
  p.setPen(QPen(ink("#1f2226"), 1.0));
  p.setBrush(ink("#42474e"));
  p.drawRoundedRect(QRectF(1.5, 2.5, 13, 9), 1.5, 1.5);
  QLinearGradient screen(0, 4, 0, 10);
  screen.setColorAt(0, ink("#7cc0ff"));
  screen.setColorAt(1, ink("#2a63b0"));
  p.setPen(Qt::NoPen);
  p.setBrush(screen);
  p.drawRect(QRectF(3, 4, 10, 6));
  p.setPen(QPen(ink("#1f2226"), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 11.5), QPointF(8, 13.5));
  p.drawLine(QPointF(5, 14), QPointF(11, 14));
}

void DrawRadio(QPainter& p, const TInk& ink) {
  p.setPen(QPen(ink("#3b3b3b"), 1.1, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(4, 6), QPointF(12.5, 1.5));
  p.setPen(QPen(ink("#6b3d12"), 1.0));
  p.setBrush(ink("#d08a34"));
  p.drawRoundedRect(QRectF(1.5, 5.5, 13, 8.5), 1.5, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(ink("#3a2614"));
  p.drawEllipse(QPointF(5.5, 9.75), 2.6, 2.6);
  p.setBrush(ink("#f3e2c0"));
  p.drawRect(QRectF(9, 7.5, 4, 1.6));
  p.setBrush(ink("#3a2614"));
  p.drawEllipse(QPointF(10, 11.6), 1.0, 1.0);
  p.drawEllipse(QPointF(12.5, 11.6), 1.0, 1.0);
}

void DrawData(QPainter& p, const TInk& ink) {
  const QRectF top(3, 1.5, 10, 4), bottom(3, 10.5, 10, 4);
  QPainterPath body;
  body.moveTo(3, 3.5);
  body.lineTo(3, 12.5);
  body.arcTo(bottom, 180, 180);
  body.lineTo(13, 3.5);
  body.closeSubpath();
  p.setPen(QPen(ink("#1c6b3c"), 1.0));
  p.setBrush(ink("#2f9e5c"));
  p.drawPath(body);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(3, 5.5, 10, 4), 180 * 16, 180 * 16);
  p.drawArc(QRectF(3, 8.0, 10, 4), 180 * 16, 180 * 16);
  p.setBrush(ink("#8fdcaa"));
  p.drawEllipse(top);
}

QPixmap Image(void (*draw)(QPainter&, const TInk&), bool dim) {
  QPixmap pixmap(kServiceIconSize, kServiceIconSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p, TInk{dim});
  return pixmap;
}

}  // namespace

const QList<QPixmap>& ServiceImages() {
  static const QList<QPixmap> images = [] {
    QList<QPixmap> list(kServiceImageCount);
    list[kImageTV] = Image(DrawTelevision, false);
    list[kImageTVHidden] = Image(DrawTelevision, true);
    list[kImageRadio] = Image(DrawRadio, false);
    list[kImageRadioHidden] = Image(DrawRadio, true);
    list[kImageData] = Image(DrawData, false);
    list[kImageDataHidden] = Image(DrawData, true);
    return list;
  }();
  return images;
}

}  // namespace quillon
