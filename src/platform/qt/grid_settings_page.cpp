#include "platform/qt/grid_settings_page.h"

#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>

#include "platform/qt/settings_metrics.h"

namespace corvella::qt {
namespace metrics = SettingsMetrics;

GridSettingsPage::GridSettingsPage(GridSettingsModel& model, GridLayoutStore& store,
                                   QWidget* parent)
    : QWidget(parent), model_(model), store_(store) {
  const GridSettingsTexts texts = model_.texts();
  removeHelp_ = QString::fromStdString(texts.removeHelp);

  auto* title = new QLabel(QString::fromStdString(texts.title), this);
  title->setObjectName("pageTitle");
  QFont headline = title->font();
  headline.setBold(true);
  title->setFont(headline);

  auto* explanation = new QLabel(QString::fromStdString(texts.explanation), this);
  explanation->setObjectName("explanation");
  explanation->setWordWrap(true);
  QPalette secondary = explanation->palette();
  secondary.setColor(QPalette::WindowText, secondary.color(QPalette::PlaceholderText));
  explanation->setPalette(secondary);

  auto* listContent = new QWidget;
  listContent->setObjectName("rows");
  listContent->setAutoFillBackground(true);
  listContent->setBackgroundRole(QPalette::Base);
  list_ = new QVBoxLayout(listContent);
  list_->setSpacing(0);
  list_->setContentsMargins(0, 0, 0, 0);
  list_->addStretch(1);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("list");
  scroll->setWidget(listContent);
  scroll->setWidgetResizable(true);
  scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setMinimumHeight(metrics::listMinimumHeight);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);  // the keyboard moves between the controls only
  scroll->setStyleSheet(
      QString("QScrollArea#list { border-radius: %1px; }").arg(metrics::listCornerRadius));

  add_ = new QPushButton(QString::fromStdString(texts.addButton), this);
  add_->setObjectName("addGrid");
  add_->setAutoDefault(false);
  restore_ = new QPushButton(QString::fromStdString(texts.restoreButton), this);
  restore_->setObjectName("restoreDefaults");
  restore_->setAutoDefault(false);
  // A control's own change is drawn before the next key or click is handled.
  connect(add_, &QPushButton::clicked, this, [this] {
    model_.addGrid();
    refresh();
  });
  // No confirmation, as on every platform.
  connect(restore_, &QPushButton::clicked, this, [this] {
    model_.restoreDefaults();
    refresh();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addStretch(1);
  buttons->addWidget(restore_);

  auto* page = new QVBoxLayout(this);
  page->setSpacing(metrics::pageSpacing);
  page->setContentsMargins(metrics::pagePadding, metrics::pagePadding, metrics::pagePadding,
                           metrics::pagePadding);
  page->addWidget(title);
  page->addWidget(explanation);
  page->addWidget(scroll, 1);
  page->addLayout(buttons);

  observer_ = store_.addWillChangeObserver([this] { scheduleRefresh(); });
  refresh();
}

GridSettingsPage::~GridSettingsPage() {
  store_.removeObserver(observer_);
}

void GridSettingsPage::scheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  // Never inside the store's change sequence: it announces before it changes.
  QTimer::singleShot(0, this, [this] { refresh(); });
}

void GridSettingsPage::refresh() {
  refreshPending_ = false;
  const auto& rows = model_.rows();
  std::vector<const GridRowModel*> order;
  for (const auto& row : rows) order.push_back(row.get());
  if (order != order_) rebuildList(rows);
  for (const auto& [model, row] : shown_) row.widget->showModel();
  // One title column for all rows, wide enough for the longest title in
  // this language and font.
  int titleWidth = metrics::titleWidth;
  for (const auto& [model, row] : shown_) {
    titleWidth = std::max(titleWidth, row.widget->title().sizeHint().width());
  }
  for (const auto& [model, row] : shown_) row.widget->title().setFixedWidth(titleWidth);
}

void GridSettingsPage::rebuildList(const std::vector<std::unique_ptr<GridRowModel>>& rows) {
  std::map<const GridRowModel*, ShownRow> kept;
  for (const auto& row : rows) {
    auto found = shown_.find(row.get());
    if (found != shown_.end()) {
      kept.emplace(row.get(), found->second);
      shown_.erase(found);
      continue;
    }
    auto* widget = new GridRowWidget(*row, removeHelp_, [this] { refresh(); });
    auto* divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    kept.emplace(row.get(), ShownRow{widget, divider});
  }
  // Rows of layouts no longer listed: their models are gone. They go once the
  // event that removed them (perhaps their own button's click) has returned.
  for (auto& [model, row] : shown_) {
    for (QWidget* widget : std::initializer_list<QWidget*>{row.widget, row.divider}) {
      list_->removeWidget(widget);
      widget->hide();
      widget->deleteLater();
    }
  }
  shown_ = std::move(kept);

  // In list order, above the stretch that keeps short lists at the top.
  order_.clear();
  int position = 0;
  QWidget* previous = nullptr;
  for (const auto& row : rows) {
    const ShownRow& shown = shown_.at(row.get());
    list_->removeWidget(shown.widget);
    list_->removeWidget(shown.divider);
    list_->insertWidget(position++, shown.widget);
    list_->insertWidget(position++, shown.divider);
    for (QWidget* control : shown.widget->focusOrder()) {
      if (previous) setTabOrder(previous, control);
      previous = control;
    }
    order_.push_back(row.get());
  }
  for (QWidget* button : std::initializer_list<QWidget*>{add_, restore_}) {
    if (previous) setTabOrder(previous, button);
    previous = button;
  }
}

void GridSettingsPage::focusFirstControl() {
  const std::vector<GridRowWidget*> rows = rowWidgets();
  if (rows.empty()) {
    add_->setFocus(Qt::TabFocusReason);
  } else {
    rows.front()->focusOrder().front()->setFocus(Qt::TabFocusReason);
  }
}

std::vector<GridRowWidget*> GridSettingsPage::rowWidgets() const {
  std::vector<GridRowWidget*> widgets;
  for (const GridRowModel* model : order_) widgets.push_back(shown_.at(model).widget);
  return widgets;
}

}  // namespace corvella::qt
