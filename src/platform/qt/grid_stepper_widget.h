// GridStepperWidget: a row's "Columns 3" / "Rows 2" stepper: the core's label
// and two arrow buttons, each enabled as the core says.
#pragma once

#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <functional>

#include "core/grids/grid_settings_model.h"

namespace corvella::qt {

class GridStepperWidget final : public QWidget {
  Q_OBJECT

 public:
  // step(true) steps up, step(false) down.
  explicit GridStepperWidget(std::function<void(bool up)> step, QWidget* parent = nullptr);
  void showState(const GridStepperState& state);

  QToolButton& upButton() { return *up_; }
  QToolButton& downButton() { return *down_; }

 private:
  QLabel* label_;
  QToolButton* down_;
  QToolButton* up_;
};

}  // namespace corvella::qt
