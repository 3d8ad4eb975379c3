// QtSettingsWindowUI: the SettingsWindowUI port: one top-level window, made on
// the core's first open with the content the shell supplies, titled and
// styled as the core says, centred; closing it only hides it (and tells the
// core). The core keeps it for the life of the process.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "core/ports/settings_window_ui.h"

namespace corvella::qt {

// The window around the settings content.
class SettingsFrame final : public QWidget {
  Q_OBJECT

 public:
  SettingsFrame(std::unique_ptr<QWidget> content, std::function<void()> willClose);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> willClose_;
};

// Window flags for the core's style mask (1 titled, 2 closable, 4 minimizable,
// 8 resizable; without 8 the window keeps its size).
Qt::WindowFlags windowFlagsForStyleMask(std::uint64_t styleMask);

class QtSettingsWindowUI final : public SettingsWindowUI {
 public:
  using ContentFactory = std::function<std::unique_ptr<QWidget>()>;
  // Makes the content when the window is created.
  void setContentFactory(ContentFactory factory) { makeContent_ = std::move(factory); }
  // Runs once the window exists (the shell hands it the keyboard grab).
  void setWindowCreated(std::function<void(QWidget&)> created) { created_ = std::move(created); }

  void createWindow(const std::string& title, std::uint64_t styleMask,
                    std::function<void()> willClose) override;
  void makeKeyAndOrderFront() override;
  void orderFrontRegardless() override;

  // Absent until the core creates the window.
  SettingsFrame* window() { return window_.get(); }
  // At the end of the process, before what the window shows goes.
  void destroyWindow() { window_.reset(); }

 private:
  ContentFactory makeContent_;
  std::function<void(QWidget&)> created_;
  std::unique_ptr<SettingsFrame> window_;
};

}  // namespace corvella::qt
