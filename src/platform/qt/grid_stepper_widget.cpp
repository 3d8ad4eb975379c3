#include "platform/qt/grid_stepper_widget.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/settings_metrics.h"

namespace corvella::qt {
namespace {

constexpr QSize arrowSize(16, 11);

}  // namespace

GridStepperWidget::GridStepperWidget(std::function<void(bool up)> step, QWidget* parent)
    : QWidget(parent),
      label_(new QLabel(this)),
      down_(new QToolButton(this)),
      up_(new QToolButton(this)) {
  label_->setObjectName("label");
  down_->setObjectName("down");
  up_->setObjectName("up");
  down_->setArrowType(Qt::DownArrow);
  up_->setArrowType(Qt::UpArrow);
  for (QToolButton* button : {down_, up_}) {
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setFixedSize(arrowSize);
    button->setIconSize(arrowSize);
  }
  connect(down_, &QToolButton::clicked, this, [step] { step(false); });
  connect(up_, &QToolButton::clicked, this, [step] { step(true); });

  // The arrows one above the other, as a stepper has them.
  auto* arrows = new QVBoxLayout;
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(label_, 1);
  layout->addLayout(arrows);
  setFixedWidth(SettingsMetrics::stepperWidth);
}

void GridStepperWidget::showState(const GridStepperState& state) {
  label_->setText(QString::fromStdString(state.label));
  up_->setEnabled(state.canIncrement);
  down_->setEnabled(state.canDecrement);
}

}  // namespace corvella::qt
