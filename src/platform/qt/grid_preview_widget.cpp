#include "platform/qt/grid_preview_widget.h"

#include <QPainter>

#include "core/grids/grid_preview.h"

namespace corvella::qt {

GridPreviewWidget::GridPreviewWidget(Cells cells, QWidget* parent)
    : QWidget(parent), cells_(std::move(cells)) {
  setFixedSize(static_cast<int>(GridPreviewStyle::canvasWidth),
               static_cast<int>(GridPreviewStyle::canvasHeight));
  setAttribute(Qt::WA_TranslucentBackground);
}

void GridPreviewWidget::paintEvent(QPaintEvent* /*event*/) {
  if (!cells_) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  QColor accent = palette().color(QPalette::Highlight);
  accent.setAlphaF(static_cast<float>(GridPreviewStyle::fillOpacity));
  painter.setBrush(accent);
  for (const Rect& cell : cells_(width(), height())) {
    painter.drawRoundedRect(QRectF(cell.x, cell.y, cell.width, cell.height),
                            GridPreviewStyle::cornerRadius, GridPreviewStyle::cornerRadius);
  }
}

}  // namespace corvella::qt
