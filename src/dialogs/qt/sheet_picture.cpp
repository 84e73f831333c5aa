// The information dialog's picture, drawn rather than shipped: a map sheet as the program makes
// it, with its graticule, the minute band along its edges and the outer frame.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "dialogs/qt/qt_toolkit.h"

namespace mapbasis {

namespace {

// A point at the fractions (u across, v down) of a quadrilateral given corner by corner from the
// top left, clockwise.
QPointF Inside(const QPolygonF& q, double u, double v) {
  const QPointF top = q[0] + (q[1] - q[0]) * u;
  const QPointF bottom = q[3] + (q[2] - q[3]) * u;
  return top + (bottom - top) * v;
}

// The quadrilateral grown by `by` pixels on every side.
QPolygonF Grown(const QPolygonF& q, double by) {
  return {q[0] + QPointF(-by, -by), q[1] + QPointF(by, -by), q[2] + QPointF(by, by),
          q[3] + QPointF(-by, by)};
}

}  // namespace

QPixmap SheetPicture(QSize size) {
  QPixmap picture(size);
  picture.fill(QColor(0xf6, 0xf2, 0xe6));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const double w = size.width(), h = size.height();

  // A sheet narrows towards the pole: its north edge is shorter than its south edge.
  const QPolygonF sheet{QPointF(0.27 * w, 0.16 * h), QPointF(0.73 * w, 0.16 * h),
                        QPointF(0.80 * w, 0.84 * h), QPointF(0.20 * w, 0.84 * h)};
  QLinearGradient land(0, 0.16 * h, 0, 0.84 * h);
  land.setColorAt(0, QColor(0xd9, 0xe8, 0xf2));
  land.setColorAt(1, QColor(0xdc, 0xeb, 0xd2));
  p.setPen(Qt::NoPen);
  p.setBrush(land);
  p.drawPolygon(sheet);

  // Three interior meridians and three interior parallels.
  p.setPen(QPen(QColor(0x5a, 0x78, 0x96), 0.8));
  for (int i = 1; i < 4; ++i) {
    p.drawLine(Inside(sheet, i / 4.0, 0), Inside(sheet, i / 4.0, 1));
    p.drawLine(Inside(sheet, 0, i / 4.0), Inside(sheet, 1, i / 4.0));
  }

  // The minute band: divisions alternately filled and open along every edge.
  const QPolygonF band = Grown(sheet, 2.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::black, 3.0, Qt::SolidLine, Qt::FlatCap));
  p.drawPolygon(band);
  QPen divisions(Qt::white, 1.6, Qt::CustomDashLine, Qt::FlatCap);
  divisions.setDashPattern({2.0, 2.0});
  p.setPen(divisions);
  p.drawPolygon(band);

  // The outer frame.
  p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.6));
  p.drawPolygon(Grown(sheet, 8.0));

  // The sheet's name above the frame.
  QFont font = p.font();
  font.setPixelSize(qMax(8, size.height() / 14));
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(0x20, 0x20, 0x20));
  p.drawText(QRectF(0, 0, w, 0.16 * h - 8.0), Qt::AlignCenter, QStringLiteral("N-37-XIV"));
  return picture;
}

}  // namespace mapbasis
