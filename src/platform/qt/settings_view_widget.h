// SettingsViewWidget: the settings window's content: the core's tabs, the
// one stored under "settingsTab" selected, each selection stored again.
#pragma once

#include <QTabWidget>
#include <QWidget>

#include "core/grids/grid_layout_store.h"
#include "core/settings/settings_view.h"
#include "platform/qt/grid_settings_page.h"

namespace corvella::qt {

class SettingsViewWidget final : public QWidget {
  Q_OBJECT

 public:
  SettingsViewWidget(SettingsView& view, GridLayoutStore& store, QWidget* parent = nullptr);

  QTabWidget& tabs() { return *tabs_; }
  GridSettingsPage* gridPage() { return gridPage_; }
  // Redraws the pages now (after a key press reached the recorder).
  void refresh();

 protected:
  // The first time it shows, the keyboard starts at the first control.
  void showEvent(QShowEvent* event) override;

 private:
  SettingsView& view_;
  QTabWidget* tabs_;
  GridSettingsPage* gridPage_ = nullptr;
};

}  // namespace corvella::qt
