// WindowManager: the one place where other applications' frames are changed
// and remembered, and the dispatch of actions and grid layouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/access/app_tiler.h"
#include "core/access/window_access.h"
#include "core/actions/action_outcome.h"
#include "core/actions/window_action.h"
#include "core/actions/window_move.h"

namespace corvella {

class Accessibility;
class Log;
class Screens;
class Sound;
class Workspace;

// The text form of a frame in log lines: "(x,y w×h)", fractions dropped.
std::string frameText(const Rect& frame);
// The label a grid's tiling is logged under: "grid 3×2".
std::string gridLabel(std::int64_t columns, std::int64_t rows);

class WindowManager {
 public:
  static constexpr std::size_t historyLimit = 30;

  WindowManager(Accessibility& accessibility, Workspace& workspace, Screens& screens, Sound& sound,
                Log& log);

  // Writes the targets, logs one block under label, records one undo entry.
  ActionOutcome apply(const std::vector<WindowMove>& moves, std::string_view label);
  ActionOutcome undo();
  ActionOutcome redo();

  // Runs one action end to end: permission, focused window, target, apply.
  // The outcome only reports; the log and the beep have already told the user.
  ActionOutcome perform(WindowAction action);
  // Tiles the front application's windows into columns × rows cells.
  ActionOutcome applyGrid(std::int64_t columns, std::int64_t rows);

  const std::vector<HistoryEntry>& undoStack() const { return undoStack_; }
  const std::vector<HistoryEntry>& redoStack() const { return redoStack_; }
  WindowAccess& access() { return access_; }

 private:
  ActionOutcome restore(std::vector<HistoryEntry>& from, std::vector<HistoryEntry>& to,
                        std::string_view label);
  // Hands the tiler's moves to apply.
  ActionOutcome tile(std::string_view label, const Layout& layout);

  Accessibility& accessibility_;
  Screens& screens_;
  Sound& sound_;
  Log& log_;
  WindowAccess access_;
  AppTiler tiler_;
  std::vector<HistoryEntry> undoStack_;
  std::vector<HistoryEntry> redoStack_;
};

}  // namespace corvella
