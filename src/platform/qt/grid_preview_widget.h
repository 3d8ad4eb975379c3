// GridPreviewWidget: the small drawing of a row's grid, the cells the core
// computes for the widget's size, in the accent colour.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "core/actions/rect.h"

namespace corvella::qt {

class GridPreviewWidget final : public QWidget {
  Q_OBJECT

 public:
  // cells: the filled rectangles for a canvas of the given size.
  using Cells = std::function<std::vector<Rect>(double width, double height)>;
  explicit GridPreviewWidget(Cells cells, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Cells cells_;
};

}  // namespace corvella::qt
