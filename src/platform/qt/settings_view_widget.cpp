#include "platform/qt/settings_view_widget.h"

#include <QTabBar>
#include <QVBoxLayout>

namespace corvella::qt {

SettingsViewWidget::SettingsViewWidget(SettingsView& view, GridLayoutStore& store, QWidget* parent)
    : QWidget(parent), view_(view), tabs_(new QTabWidget(this)) {
  tabs_->setObjectName("tabs");
  // Tabs switch with Ctrl+Tab; Tab itself moves between a page's controls.
  tabs_->tabBar()->setFocusPolicy(Qt::NoFocus);
  const std::string selected = view_.tab();
  for (const SettingsTab& tab : view_.tabs()) {
    QWidget* page = nullptr;
    if (tab.tag == SettingsView::gridsTab) {
      gridPage_ = new GridSettingsPage(view_.grids(), store);
      page = gridPage_;
    } else {
      page = new QWidget;  // a tab this shell has no page for
    }
    page->setProperty("tag", QString::fromStdString(tab.tag));
    const int index = tabs_->addTab(page, QString::fromStdString(tab.label));
    if (tab.tag == selected) tabs_->setCurrentIndex(index);
  }
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (QWidget* page = tabs_->widget(index)) {
      view_.setTab(page->property("tag").toString().toStdString());
    }
  });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, static_cast<int>(SettingsView::topInset), 0, 0);
  layout->addWidget(tabs_);
  setFixedWidth(static_cast<int>(SettingsView::width));
}

void SettingsViewWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!window()->focusWidget() && gridPage_ && tabs_->currentWidget() == gridPage_) {
    gridPage_->focusFirstControl();
  }
}

void SettingsViewWidget::refresh() {
  if (gridPage_) gridPage_->refresh();
}

}  // namespace corvella::qt
