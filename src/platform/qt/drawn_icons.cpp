#include "platform/qt/drawn_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace corvella::qt {
namespace {

QIcon drawnIcon(std::initializer_list<int> sizes,
                const std::function<void(QPainter&, qreal)>& draw) {
  QIcon icon;
  for (int size : sizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, static_cast<qreal>(size));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

void strokeSplitRectangle(QPainter& painter, qreal size, const QColor& color, qreal width,
                          QPointF offset) {
  const qreal margin = size * 0.12;
  const QRectF frame(margin + offset.x(), size * 0.22 + offset.y(), size - 2 * margin, size * 0.56);
  painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(frame, size * 0.08, size * 0.08);
  for (int divider = 1; divider < 3; ++divider) {
    const qreal x = frame.left() + frame.width() * divider / 3;
    painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
  }
}

}  // namespace

QIcon statusIcon(std::string_view /*symbolName*/) {
  // One symbol is all the core asks for.
  return drawnIcon({16, 22, 24, 32, 48, 64}, [](QPainter& painter, qreal size) {
    const qreal width = std::max<qreal>(1.5, size / 11);
    strokeSplitRectangle(painter, size, QColor(0, 0, 0, 110), width, QPointF(0, size / 32));
    strokeSplitRectangle(painter, size, QColor(240, 240, 240), width, QPointF());
  });
}

QIcon removeIcon(const QColor& color) {
  return drawnIcon({16, 20, 24, 32}, [color](QPainter& painter, qreal size) {
    const qreal width = std::max<qreal>(1.2, size / 14);
    painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = size * 0.12;
    painter.drawEllipse(QRectF(inset, inset, size - 2 * inset, size - 2 * inset));
    painter.drawLine(QPointF(size * 0.32, size / 2), QPointF(size * 0.68, size / 2));
  });
}

}  // namespace corvella::qt
