#include "core/control/control_handler.h"

#include <algorithm>

#include "core/actions/window_manager.h"
#include "core/app/app_delegate.h"
#include "core/app/core_services.h"
#include "core/control/action_answer.h"
#include "core/control/log_capture.h"
#include "core/grids/grid_layout_store.h"
#include "core/hotkeys/default_shortcuts.h"

namespace corvella {
namespace {

bool contains(const std::vector<HotKeyTarget>& targets, const HotKeyTarget& target) {
  return std::find(targets.begin(), targets.end(), target) != targets.end();
}

}  // namespace

ControlHandler::ControlHandler(CoreServices& services, AppDelegate& delegate,
                               ControlIdentity identity)
    : services_(services), delegate_(delegate), identity_(std::move(identity)) {}

std::string ControlHandler::answerLine(std::string_view requestLine) {
  ParsedRequest parsed = parseControlRequest(requestLine);
  const ControlAnswer answer = parsed.request ? serve(*parsed.request) : usageAnswer(parsed.error);
  return encodeControlAnswer(answer);
}

ControlAnswer ControlHandler::serve(const ControlRequest& request) {
  if (auto* run = std::get_if<RunRequest>(&request)) return runAction(run->action);
  if (auto* size = std::get_if<GridSizeRequest>(&request))
    return runGrid(size->columns, size->rows);
  if (auto* layout = std::get_if<GridLayoutRequest>(&request)) return runLayout(layout->id);
  if (std::holds_alternative<ListRequest>(request)) return list();
  if (std::holds_alternative<SettingsRequest>(request)) return showSettings();
  return status();
}

ControlAnswer ControlHandler::runAction(WindowAction action) {
  LogCapture capture(services_.log());
  const ActionOutcome outcome = services_.windowManager().perform(action);
  return actionAnswer(rawValue(action), outcome, capture.messages());
}

ControlAnswer ControlHandler::runGrid(std::int64_t columns, std::int64_t rows) {
  LogCapture capture(services_.log());
  const ActionOutcome outcome = services_.windowManager().applyGrid(columns, rows);
  return actionAnswer(gridLabel(columns, rows), outcome, capture.messages());
}

ControlAnswer ControlHandler::runLayout(const UUID& id) {
  const auto layout = services_.gridLayoutStore().layoutWithID(id);
  if (!layout) {
    return usageAnswer("no grid layout has the identifier " + id.uuidString() +
                       " (corvella list shows them)");
  }
  return runGrid(layout->columns, layout->rows);
}

std::string ControlHandler::spell(const Shortcut& shortcut) {
  return identity_.spellShortcut(shortcut, services_.platform().keyboardLayout);
}

ControlAnswer ControlHandler::list() {
  const std::vector<HotKeyTarget>& refused = delegate_.refusedHotKeys();
  Localizer& localizer = services_.platform().localizer;
  std::vector<ActionRow> actions;
  for (const ActionShortcut& row : defaultShortcuts()) {
    actions.push_back({row.action, title(row.action, localizer), spell(row.shortcut),
                       !contains(refused, HotKeyTarget::action(row.action))});
  }
  std::vector<GridRow> grids;
  for (const GridLayout& layout : services_.gridLayoutStore().layouts()) {
    GridRow row{layout.id, layout.columns, layout.rows, displayName(layout, localizer), {}, false};
    if (layout.shortcut) {
      row.shortcut = spell(*layout.shortcut);
      row.registered = !contains(refused, HotKeyTarget::grid(layout.id));
    }
    grids.push_back(std::move(row));
  }
  return listAnswer(actions, grids);
}

ControlAnswer ControlHandler::status() {
  StatusReport report;
  report.version = identity_.version;
  report.processID = identity_.processID;
  report.trusted = services_.platform().accessibility.isProcessTrusted();
  report.registered = services_.hotKeyCenter().targets().size();
  report.total = defaultShortcuts().size();
  for (const GridLayout& layout : services_.gridLayoutStore().layouts()) {
    if (layout.shortcut) ++report.total;
  }
  report.refused = refusedShortcuts();
  return statusAnswer(report);
}

ControlAnswer ControlHandler::showSettings() {
  if (!identity_.hasSettingsWindow) {
    ControlAnswer answer;
    answer.exit = ExitStatus::failed;
    answer.error = "the running Corvella has no settings window (started with --headless)";
    return answer;
  }
  delegate_.openSettings();
  return ControlAnswer{};
}

std::vector<RefusedShortcut> ControlHandler::refusedShortcuts() {
  std::vector<RefusedShortcut> refused;
  for (const HotKeyTarget& target : delegate_.refusedHotKeys()) {
    if (auto action = target.actionValue()) {
      if (auto shortcut = defaultShortcut(*action)) {
        refused.push_back({spell(*shortcut), *action, std::nullopt});
      }
    } else if (auto id = target.gridID()) {
      const auto layout = services_.gridLayoutStore().layoutWithID(*id);
      if (layout && layout->shortcut) {
        refused.push_back({spell(*layout->shortcut), std::nullopt, *id});
      }
    }
  }
  return refused;
}

}  // namespace corvella
