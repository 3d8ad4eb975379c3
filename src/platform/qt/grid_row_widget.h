// GridRowWidget: one layout's row of the grid tab: preview, short title, the
// columns and rows steppers, the shortcut recorder, the remove button, and
// the recorder's refusal in red under them. It draws the row model and hands
// every click to it; changed() tells the page to redraw.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>
#include <functional>

#include "core/grids/grid_settings_model.h"
#include "platform/qt/grid_preview_widget.h"
#include "platform/qt/grid_stepper_widget.h"

namespace corvella::qt {

class GridRowWidget final : public QWidget {
  Q_OBJECT

 public:
  GridRowWidget(GridRowModel& row, const QString& removeHelp, std::function<void()> changed,
                QWidget* parent = nullptr);

  // Shows what the row model holds now.
  void showModel();

  GridStepperWidget& columns() { return *columns_; }
  GridStepperWidget& rows() { return *rows_; }
  QPushButton& recorder() { return *recorder_; }
  QToolButton& remove() { return *remove_; }
  QLabel& title() { return *title_; }
  QLabel& message() { return *message_; }
  // The row's controls in keyboard order.
  QList<QWidget*> focusOrder();

 private:
  GridRowModel& row_;
  std::function<void()> changed_;
  GridPreviewWidget* preview_;
  QLabel* title_;
  GridStepperWidget* columns_;
  GridStepperWidget* rows_;
  QPushButton* recorder_;
  QToolButton* remove_;
  QLabel* message_;
};

}  // namespace corvella::qt
