#include "core/actions/window_manager.h"

#include <cmath>
#include <string>
#include <utility>

#include "core/access/layouts.h"
#include "core/actions/geometry.h"
#include "core/app/log.h"
#include "core/ports/accessibility.h"
#include "core/ports/screens.h"
#include "core/ports/sound.h"
#include "core/text/grapheme_prefix.h"
#include "core/text/visible_text.h"

namespace corvella {
namespace {

constexpr std::size_t titleClusters = 40;

// One coordinate of a log line: the fraction dropped. A value that is not a
// number, or does not fit, is written as 0 so that a misbehaving application
// cannot put "nan" or "inf" in the log.
std::string wholeNumberText(double value) {
  if (!std::isfinite(value)) return "0";
  const double truncated = std::trunc(value);
  // Every double this large is already whole; the limits keep the cast defined.
  constexpr double limit = 9.0e18;
  if (truncated >= limit || truncated <= -limit) return "0";
  return std::to_string(static_cast<long long>(truncated));
}

}  // namespace

std::string gridLabel(std::int64_t columns, std::int64_t rows) {
  std::string label = "grid ";
  label += std::to_string(columns);
  label += "×";
  label += std::to_string(rows);
  return label;
}

std::string frameText(const Rect& frame) {
  std::string text = "(";
  text += wholeNumberText(frame.x);
  text += ',';
  text += wholeNumberText(frame.y);
  text += ' ';
  text += wholeNumberText(frame.width);
  text += "×";
  text += wholeNumberText(frame.height);
  text += ')';
  return text;
}

WindowManager::WindowManager(Accessibility& accessibility, Workspace& workspace, Screens& screens,
                             Sound& sound, Log& log)
    : accessibility_(accessibility),
      screens_(screens),
      sound_(sound),
      log_(log),
      access_(accessibility, workspace),
      tiler_(access_, screens, sound, log) {}

ActionOutcome WindowManager::apply(const std::vector<WindowMove>& moves, std::string_view label) {
  HistoryEntry snapshot;
  for (const WindowMove& move : moves) {
    if (auto current = access_.readFrame(move.window)) snapshot.push_back({move.window, *current});
  }

  std::string message(label);
  message += '\n';
  bool firstLine = true;
  std::size_t reached = 0;
  for (const WindowMove& move : moves) {
    const std::optional<Rect> result = access_.setFrame(move.window, move.frame);
    const bool matched = result && framesClose(*result, move.frame);
    if (matched) ++reached;
    const std::string title =
        access_.stringAttribute("AXTitle", move.window.element).value_or(std::string{});

    if (!firstLine) message += '\n';
    firstLine = false;
    message += matched ? "  OK" : "  차이";
    message += " 목표=";
    message += frameText(move.frame);
    message += " 결과=";
    message += result ? frameText(*result) : "nil";
    message += ' ';
    // Cut first, so the 40 characters are the title's own; escaped after,
    // so a title can never end the line or forge an entry.
    message += visibleText(graphemePrefix(title, titleClusters));
  }
  log_.log(message);

  if (undoStack_.size() >= historyLimit) undoStack_.erase(undoStack_.begin());
  undoStack_.push_back(std::move(snapshot));
  redoStack_.clear();
  return ActionOutcome::applied(moves.size(), reached);
}

ActionOutcome WindowManager::undo() {
  return restore(undoStack_, redoStack_, "undo");
}

ActionOutcome WindowManager::redo() {
  return restore(redoStack_, undoStack_, "redo");
}

ActionOutcome WindowManager::restore(std::vector<HistoryEntry>& from, std::vector<HistoryEntry>& to,
                                     std::string_view label) {
  if (from.empty()) {
    sound_.beep();
    return ActionOutcome::refused(ActionRefusal::emptyHistory);
  }
  HistoryEntry entry = std::move(from.back());
  from.pop_back();

  HistoryEntry snapshot;
  for (const WindowMove& move : entry) {
    if (auto current = access_.readFrame(move.window)) snapshot.push_back({move.window, *current});
  }
  // What comes back is not judged: a window that closed is simply not moved.
  for (const WindowMove& move : entry) access_.setFrame(move.window, move.frame);
  to.push_back(std::move(snapshot));

  std::string message(label);
  message += ": 창 ";
  message += std::to_string(entry.size());
  message += "개 복원";
  log_.log(message);
  return ActionOutcome::restored(entry.size());
}

ActionOutcome WindowManager::perform(WindowAction action) {
  const std::string_view raw = rawValue(action);
  if (!accessibility_.isProcessTrusted()) {
    accessibility_.isProcessTrustedWithPrompt();
    std::string message = "권한 없음 — ";
    message += raw;
    message += " 무시";
    log_.log(message);
    return ActionOutcome::refused(ActionRefusal::notTrusted);
  }

  switch (action) {
    case WindowAction::undo:
      return undo();
    case WindowAction::redo:
      return redo();
    case WindowAction::tileAppColumns:
      return tile(raw, layoutColumns);
    case WindowAction::tileAppRows:
      return tile(raw, layoutRows);
    default:
      break;
  }

  std::optional<AXWindow> window = access_.focusedWindow();
  std::optional<Rect> frame;
  if (window) frame = access_.readFrame(*window);
  if (!frame) {
    std::string message(raw);
    message += ": 초점 창 없음";
    log_.log(message);
    sound_.beep();
    return ActionOutcome::refused(ActionRefusal::noFocusedWindow);
  }

  const std::vector<Rect> screens = screenFrames(screens_.screens());
  const std::optional<std::size_t> screen = screenIndex(*frame, screens);
  if (!screen) return ActionOutcome::refused(ActionRefusal::noScreen);

  const std::optional<Rect> target = targetFrame(action, *frame, screens, *screen);
  if (!target) {
    sound_.beep();
    return ActionOutcome::refused(ActionRefusal::noOtherDisplay);
  }
  return apply({WindowMove{*window, *target}}, raw);
}

ActionOutcome WindowManager::applyGrid(std::int64_t columns, std::int64_t rows) {
  if (!accessibility_.isProcessTrusted()) {
    accessibility_.isProcessTrustedWithPrompt();
    return ActionOutcome::refused(ActionRefusal::notTrusted);
  }
  return tile(gridLabel(columns, rows),
              [columns, rows](const std::vector<Rect>& frames, const Rect& visible) {
                return layoutGrid(columns, rows, frames, visible);
              });
}

ActionOutcome WindowManager::tile(std::string_view label, const Layout& layout) {
  ActionOutcome outcome;
  const std::optional<ActionRefusal> refusal = tiler_.tileFrontApp(
      label, layout, [this, &outcome](const auto& moves, std::string_view header) {
        outcome = apply(moves, header);
      });
  return refusal ? ActionOutcome::refused(*refusal) : outcome;
}

}  // namespace corvella
