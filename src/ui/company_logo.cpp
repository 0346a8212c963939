// A drawn company mark: no image file has to ship with the program.
#include "ui/company_logo.h"

#include <QPainter>

namespace vemo {

QPixmap company_logo(const QSize& size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(pixmap.rect()).adjusted(2, 2, -2, -2);
  painter.setPen(QPen(QColor(0, 70, 140), 2));
  painter.setBrush(QColor(220, 235, 250));
  painter.drawEllipse(area);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(qMax(8, size.height() / 3));
  painter.setFont(font);
  painter.setPen(QColor(0, 70, 140));
  painter.drawText(area, Qt::AlignCenter, QStringLiteral("澜川"));
  return pixmap;
}

}  // namespace vemo
