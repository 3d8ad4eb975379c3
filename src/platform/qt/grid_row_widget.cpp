#include "platform/qt/grid_row_widget.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/drawn_icons.h"
#include "platform/qt/settings_metrics.h"

namespace corvella::qt {
namespace metrics = SettingsMetrics;

GridRowWidget::GridRowWidget(GridRowModel& row, const QString& removeHelp,
                             std::function<void()> changed, QWidget* parent)
    : QWidget(parent), row_(row), changed_(std::move(changed)) {
  GridRowModel* model = &row_;
  preview_ = new GridPreviewWidget(
      [model](double width, double height) { return model->previewCells(width, height); }, this);
  preview_->setObjectName("preview");

  title_ = new QLabel(this);
  title_->setObjectName("title");
  title_->setFixedWidth(metrics::titleWidth);  // widened by the page to the longest title

  columns_ = new GridStepperWidget(
      [this](bool up) {
        up ? row_.incrementColumns() : row_.decrementColumns();
        changed_();
      },
      this);
  columns_->setObjectName("columns");
  rows_ = new GridStepperWidget(
      [this](bool up) {
        up ? row_.incrementRows() : row_.decrementRows();
        changed_();
      },
      this);
  rows_->setObjectName("rows");

  recorder_ = new QPushButton(this);
  recorder_->setObjectName("recorder");
  recorder_->setMinimumWidth(metrics::recorderMinimumWidth);
  recorder_->setAutoDefault(false);
  connect(recorder_, &QPushButton::clicked, this, [this] {
    row_.recorder().click();
    changed_();
  });

  remove_ = new QToolButton(this);
  remove_->setObjectName("remove");
  remove_->setIcon(removeIcon(palette().color(QPalette::WindowText)));
  remove_->setIconSize(QSize(metrics::removeSymbolSize, metrics::removeSymbolSize));
  remove_->setFixedSize(metrics::removeButtonSide, metrics::removeButtonSide);
  remove_->setAutoRaise(true);
  remove_->setFocusPolicy(Qt::TabFocus);
  remove_->setToolTip(removeHelp);
  remove_->setAccessibleName(removeHelp);
  connect(remove_, &QToolButton::clicked, this, [this] {
    row_.remove();
    changed_();
  });

  message_ = new QLabel(this);
  message_->setObjectName("message");
  message_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  message_->setWordWrap(true);
  QFont caption = message_->font();
  caption.setPointSizeF(caption.pointSizeF() * 0.85);
  message_->setFont(caption);
  QPalette red = message_->palette();
  red.setColor(QPalette::WindowText, QColor(215, 0, 21));
  message_->setPalette(red);
  message_->hide();

  auto* controls = new QHBoxLayout;
  controls->setSpacing(metrics::rowItemSpacing);
  controls->setContentsMargins(0, 0, 0, 0);
  for (QWidget* control :
       std::initializer_list<QWidget*>{preview_, title_, columns_, rows_, recorder_, remove_}) {
    controls->addWidget(control, 0, Qt::AlignVCenter);
  }
  controls->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(metrics::rowSpacing);
  layout->setContentsMargins(metrics::rowHorizontalPadding,
                             metrics::rowOuterVerticalPadding + metrics::rowInnerVerticalPadding,
                             metrics::rowHorizontalPadding,
                             metrics::rowOuterVerticalPadding + metrics::rowInnerVerticalPadding);
  layout->addLayout(controls);
  layout->addWidget(message_);
  showModel();
}

void GridRowWidget::showModel() {
  if (!row_.layout()) return;  // removed; the page drops this row on its next redraw
  title_->setText(QString::fromStdString(row_.shortTitle()));
  columns_->showState(row_.columnsStepper());
  rows_->showState(row_.rowsStepper());
  recorder_->setText(QString::fromStdString(row_.recorder().label()));
  const std::optional<std::string>& message = row_.message();
  message_->setText(message ? QString::fromStdString(*message) : QString());
  message_->setVisible(message.has_value());
  preview_->update();
}

QList<QWidget*> GridRowWidget::focusOrder() {
  return {&columns_->downButton(),
          &columns_->upButton(),
          &rows_->downButton(),
          &rows_->upButton(),
          recorder_,
          remove_};
}

}  // namespace corvella::qt
