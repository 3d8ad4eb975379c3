// GridSettingsPage: the grid tab: its title and explanation, a scrolling list
// with one GridRowWidget per layout, and the "Add Grid" and "Restore
// Defaults" buttons. It redraws at once after each of its own controls, and
// on a later turn of the event loop when the store announces a change from
// elsewhere, keeping the widgets of rows whose layout is still listed (and
// with them the focus).
#pragma once

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <map>
#include <vector>

#include "core/grids/grid_layout_store.h"
#include "core/grids/grid_settings_model.h"
#include "platform/qt/grid_row_widget.h"

namespace corvella::qt {

class GridSettingsPage final : public QWidget {
  Q_OBJECT

 public:
  GridSettingsPage(GridSettingsModel& model, GridLayoutStore& store, QWidget* parent = nullptr);
  ~GridSettingsPage() override;

  // Redraws on the next turn (several requests make one redraw).
  void scheduleRefresh();
  // Redraws now.
  void refresh();

  // Puts the keyboard focus on the page's first control (the first row's,
  // else "Add Grid").
  void focusFirstControl();

  // The rows on show, in order.
  std::vector<GridRowWidget*> rowWidgets() const;
  QPushButton& addButton() { return *add_; }
  QPushButton& restoreButton() { return *restore_; }

 private:
  struct ShownRow {
    GridRowWidget* widget;
    QFrame* divider;
  };

  void rebuildList(const std::vector<std::unique_ptr<GridRowModel>>& rows);

  GridSettingsModel& model_;
  GridLayoutStore& store_;
  GridLayoutStore::ObserverID observer_;
  QString removeHelp_;
  QVBoxLayout* list_;
  QPushButton* add_;
  QPushButton* restore_;
  // By row model; a model's address only ever names the row it belongs to
  // while it is listed, and a widget always reads the model it was given.
  std::map<const GridRowModel*, ShownRow> shown_;
  std::vector<const GridRowModel*> order_;
  bool refreshPending_ = false;
};

}  // namespace corvella::qt
