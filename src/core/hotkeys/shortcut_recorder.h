// ShortcutRecorder: the model of the button in a grid row that records the
// layout's shortcut. A shell draws label() and forwards clicks; key-downs
// arrive through the KeyEventMonitor while recording.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/grids/uuid.h"
#include "core/hotkeys/binding.h"
#include "core/hotkeys/key_codes.h"
#include "core/hotkeys/shortcut.h"
#include "core/ports/key_event_monitor.h"

namespace corvella {

class GridLayoutStore;
class KeyboardLayout;
class Localizer;

// Key codes the recorder treats specially.
namespace RecorderKey {
inline constexpr std::uint16_t deleteKey = KeyCode::deleteKey;
inline constexpr std::uint16_t forwardDelete = KeyCode::forwardDelete;
inline constexpr std::uint16_t escape = KeyCode::escape;
}  // namespace RecorderKey

class ShortcutRecorder {
 public:
  // The button is at least this wide (points), so the label does not jump
  // between "Record Shortcut", "Press keys…" and a short shortcut.
  static constexpr double minimumWidth = 96;

  struct Dependencies {
    const GridLayoutStore& store;  // searched for conflicts
    KeyEventMonitor& monitor;
    KeyboardLayout& keyboardLayout;
    Localizer& localizer;
  };

  // shortcut: the edited layout's shortcut (setting it writes the layout into
  // the store); message: the row's message line, none hides it; owner: the
  // edited layout, left out of the conflict search; setHotKeysPaused: true
  // unregisters every hot key, false registers them again.
  ShortcutRecorder(Binding<std::optional<Shortcut>> shortcut,
                   Binding<std::optional<std::string>> message, UUID owner,
                   std::function<void(bool)> setHotKeysPaused, Dependencies dependencies);
  // Removes a still-installed monitor so no handler outlives the recorder. The
  // hot keys are not resumed here: a recorder goes away with its row or its
  // window's models, and the layout change behind that registers them again.
  ~ShortcutRecorder();
  ShortcutRecorder(const ShortcutRecorder&) = delete;
  ShortcutRecorder& operator=(const ShortcutRecorder&) = delete;

  // "Press keys…" while recording, else the shortcut's display string, else
  // "Record Shortcut".
  std::string label() const;
  bool isRecording() const { return recording_; }

  // Stops when recording, starts otherwise.
  void click();
  void startRecording();
  void stopRecording();

  // The title of the action or the display name of another layout already
  // using the combination, or none.
  std::optional<std::string> conflictName(const Shortcut& candidate) const;

 private:
  void handleKeyDown(const KeyEvent& event);

  Binding<std::optional<Shortcut>> shortcut_;
  Binding<std::optional<std::string>> message_;
  UUID owner_;
  std::function<void(bool)> setHotKeysPaused_;
  Dependencies dependencies_;
  bool recording_ = false;
  std::optional<MonitorHandle> monitor_;
  // Expires with the recorder: writing the shortcut runs the store's change
  // sequence, which may rebuild the row that owns this recorder.
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

}  // namespace corvella
