#include "platform/qt/qt_settings_window_ui.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace corvella::qt {
namespace {

constexpr std::uint64_t titled = 1, closable = 2, minimizable = 4, resizable = 8;

}  // namespace

SettingsFrame::SettingsFrame(std::unique_ptr<QWidget> content, std::function<void()> willClose)
    : willClose_(std::move(willClose)) {
  setObjectName("settingsWindow");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  if (content) layout->addWidget(content.release());
  // The Close command of the window's platform (Ctrl+W).
  auto* close = new QShortcut(QKeySequence::Close, this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
}

void SettingsFrame::closeEvent(QCloseEvent* event) {
  if (willClose_) willClose_();
  event->accept();  // hidden, not destroyed: the window is not deleted on close
}

Qt::WindowFlags windowFlagsForStyleMask(std::uint64_t styleMask) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  if (styleMask & titled) flags |= Qt::WindowTitleHint;
  if (styleMask & closable) flags |= Qt::WindowCloseButtonHint;
  if (styleMask & minimizable) flags |= Qt::WindowMinimizeButtonHint;
  if (styleMask & resizable) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

void QtSettingsWindowUI::createWindow(const std::string& title, std::uint64_t styleMask,
                                      std::function<void()> willClose) {
  window_ = std::make_unique<SettingsFrame>(makeContent_ ? makeContent_() : nullptr,
                                            std::move(willClose));
  window_->setWindowTitle(QString::fromStdString(title));
  window_->setWindowFlags(windowFlagsForStyleMask(styleMask));
  window_->adjustSize();
  if (!(styleMask & resizable)) window_->setFixedSize(window_->sizeHint());
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = window_->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window_->move(frame.topLeft());
  }
  if (created_) created_(*window_);
}

void QtSettingsWindowUI::makeKeyAndOrderFront() {
  if (!window_) return;
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void QtSettingsWindowUI::orderFrontRegardless() {
  if (window_) window_->raise();
}

}  // namespace corvella::qt
