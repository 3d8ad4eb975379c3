#include "core/control/control_reports.h"

#include <algorithm>

namespace corvella {
namespace {

constexpr const char* notRegistered = "  (not registered)";

// The columns a cell takes: one per character, not per byte, so that the
// macOS spelling ("⌃⌥→", three bytes a glyph) lines up as the Linux one does.
std::size_t columnsOf(const std::string& cell) {
  return static_cast<std::size_t>(std::count_if(cell.begin(), cell.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// Rows of columns, each column but the last padded to its widest cell and
// two spaces, each row indented by two spaces.
std::string table(const std::vector<std::vector<std::string>>& rows) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows) {
    if (widths.size() < row.size()) widths.resize(row.size(), 0);
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], columnsOf(row[i]));
  }
  std::string text;
  for (const auto& row : rows) {
    std::string line = " ";
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += ' ';
      line += row[i];
      if (i + 1 < row.size()) line.append(widths[i] - columnsOf(row[i]) + 1, ' ');
    }
    text += line;
    text += '\n';
  }
  return text;
}

std::string refusedRows(const std::vector<RefusedShortcut>& refused) {
  std::vector<std::vector<std::string>> rows;
  for (const RefusedShortcut& shortcut : refused)
    rows.push_back({shortcut.shortcut, commandFor(shortcut)});
  return table(rows);
}

std::string count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string commandFor(const RefusedShortcut& refused) {
  if (refused.action) return "corvella run " + std::string(rawValue(*refused.action));
  if (refused.grid) return "corvella grid " + refused.grid->uuidString();
  return "corvella";
}

ControlAnswer listAnswer(const std::vector<ActionRow>& actions, const std::vector<GridRow>& grids) {
  ControlAnswer answer;
  nlohmann::json actionData = nlohmann::json::array();
  std::vector<std::vector<std::string>> actionRows;
  for (const ActionRow& row : actions) {
    actionRows.push_back({std::string(rawValue(row.action)), row.shortcut,
                          row.title + (row.registered ? "" : notRegistered)});
    actionData.push_back({{"action", rawValue(row.action)},
                          {"title", row.title},
                          {"shortcut", row.shortcut},
                          {"registered", row.registered}});
  }
  nlohmann::json gridData = nlohmann::json::array();
  std::vector<std::vector<std::string>> gridRows;
  for (const GridRow& row : grids) {
    const bool refused = row.shortcut && !row.registered;
    gridRows.push_back({row.id.uuidString(), row.shortcut.value_or("-"),
                        row.title + (refused ? notRegistered : "")});
    gridData.push_back({{"id", row.id.uuidString()},
                        {"columns", row.columns},
                        {"rows", row.rows},
                        {"title", row.title},
                        {"shortcut", row.shortcut ? nlohmann::json(*row.shortcut) : nullptr},
                        {"registered", row.registered}});
  }
  answer.output = "Actions (corvella run ACTION):\n" + table(actionRows) +
                  "Grid layouts (corvella grid ID, or corvella grid COLUMNSxROWS):\n" +
                  (gridRows.empty() ? std::string("  none\n") : table(gridRows));
  answer.data = {{"actions", actionData}, {"grids", gridData}};
  return answer;
}

ControlAnswer statusAnswer(const StatusReport& status) {
  ControlAnswer answer;
  answer.output = "Corvella " + status.version + " is running (process " +
                  std::to_string(status.processID) + ").\n" +
                  "Accessibility: " + (status.trusted ? "allowed" : "not allowed") + "\n" +
                  "Shortcuts: " + std::to_string(status.registered) + " of " +
                  std::to_string(status.total) + " registered\n";
  nlohmann::json refused = nlohmann::json::array();
  for (const RefusedShortcut& shortcut : status.refused) {
    nlohmann::json row = {{"shortcut", shortcut.shortcut}};
    if (shortcut.action) row["action"] = rawValue(*shortcut.action);
    if (shortcut.grid) row["grid"] = shortcut.grid->uuidString();
    refused.push_back(row);
  }
  if (!status.refused.empty()) {
    answer.output += "Held by another program (bind these commands to other keys):\n" +
                     refusedRows(status.refused);
  }
  answer.data = {
      {"running", true},           {"version", status.version},       {"pid", status.processID},
      {"trusted", status.trusted}, {"registered", status.registered}, {"total", status.total},
      {"refused", refused}};
  return answer;
}

std::string refusedShortcutsNotice(const std::vector<RefusedShortcut>& refused) {
  if (refused.empty()) return {};
  return "corvella: " + count(refused.size(), "shortcut is", "shortcuts are") +
         " held by another program; bind these commands to other keys:\n" + refusedRows(refused);
}

}  // namespace corvella
