#include "core/hotkeys/shortcut_recorder.h"

#include <string_view>
#include <utility>

#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/default_shortcuts.h"
#include "core/ports/localizer.h"

namespace corvella {
namespace {

constexpr std::string_view pressKeysText = "Press keys…";
constexpr std::string_view recordShortcutText = "Record Shortcut";
constexpr std::string_view requiredModifierText = "Use with at least one of ⌘, ⌥ or ⌃.";
// The conflicting name goes in place of %@.
constexpr std::string_view alreadyUsedText = "Already used by “%@”.";

std::string substituteName(std::string format, const std::string& name) {
  const std::size_t at = format.find("%@");
  if (at != std::string::npos) format.replace(at, 2, name);
  return format;
}

}  // namespace

ShortcutRecorder::ShortcutRecorder(Binding<std::optional<Shortcut>> shortcut,
                                   Binding<std::optional<std::string>> message, UUID owner,
                                   std::function<void(bool)> setHotKeysPaused,
                                   Dependencies dependencies)
    : shortcut_(std::move(shortcut)),
      message_(std::move(message)),
      owner_(owner),
      setHotKeysPaused_(std::move(setHotKeysPaused)),
      dependencies_(dependencies) {}

ShortcutRecorder::~ShortcutRecorder() {
  if (monitor_) dependencies_.monitor.removeMonitor(*monitor_);
}

std::string ShortcutRecorder::label() const {
  if (recording_) return dependencies_.localizer.localized(pressKeysText);
  if (shortcut_.get) {
    if (std::optional<Shortcut> current = shortcut_.get()) {
      return displayString(*current, dependencies_.keyboardLayout);
    }
  }
  return dependencies_.localizer.localized(recordShortcutText);
}

void ShortcutRecorder::click() {
  if (recording_) {
    stopRecording();
  } else {
    startRecording();
  }
}

void ShortcutRecorder::startRecording() {
  if (message_.set) message_.set(std::nullopt);
  recording_ = true;
  if (setHotKeysPaused_) setHotKeysPaused_(true);
  // A second start must not leave the first monitor behind.
  if (monitor_) dependencies_.monitor.removeMonitor(*std::exchange(monitor_, std::nullopt));
  // Every key-down is swallowed while recording, whatever the handler decided.
  monitor_ = dependencies_.monitor.addKeyDownMonitor([this](const KeyEvent& event) {
    handleKeyDown(event);
    return false;
  });
}

void ShortcutRecorder::stopRecording() {
  if (monitor_) dependencies_.monitor.removeMonitor(*std::exchange(monitor_, std::nullopt));
  if (message_.set) message_.set(std::nullopt);
  recording_ = false;
  if (setHotKeysPaused_) setHotKeysPaused_(false);
}

std::optional<std::string> ShortcutRecorder::conflictName(const Shortcut& candidate) const {
  for (const ActionShortcut& row : defaultShortcuts()) {
    if (row.shortcut == candidate) return title(row.action, dependencies_.localizer);
  }
  for (const GridLayout& layout : dependencies_.store.layouts()) {
    if (layout.id == owner_) continue;
    if (layout.shortcut == candidate) return displayName(layout, dependencies_.localizer);
  }
  return std::nullopt;
}

void ShortcutRecorder::handleKeyDown(const KeyEvent& event) {
  if (!recording_) return;
  const std::uint64_t modifiers = event.modifierFlags & shortcutModifierMask;
  const std::weak_ptr<const bool> alive = alive_;

  const bool isDelete =
      event.keyCode == RecorderKey::deleteKey || event.keyCode == RecorderKey::forwardDelete;
  if (isDelete && modifiers == 0) {
    if (shortcut_.set) shortcut_.set(std::nullopt);
    if (!alive.expired()) stopRecording();
    return;
  }
  if (event.keyCode == RecorderKey::escape) {
    stopRecording();
    return;
  }
  if (!hasRequiredModifier(modifiers)) {
    if (message_.set) message_.set(dependencies_.localizer.localized(requiredModifierText));
    return;
  }
  const Shortcut candidate{event.keyCode, modifiers};
  if (std::optional<std::string> name = conflictName(candidate)) {
    if (message_.set) {
      message_.set(substituteName(dependencies_.localizer.localized(alreadyUsedText), *name));
    }
    return;
  }
  if (shortcut_.set) shortcut_.set(candidate);
  if (!alive.expired()) stopRecording();
}

}  // namespace corvella
