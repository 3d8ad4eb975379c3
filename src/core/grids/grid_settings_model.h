// The grid settings tab as data for a shell to draw: the page's texts, one
// row per layout (preview cells, title, steppers, shortcut recorder, message,
// remove), and the add and restore buttons. Every edit writes the whole
// layout back into the store, which saves it and announces the change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/actions/rect.h"
#include "core/grids/grid_layout.h"
#include "core/grids/uuid.h"
#include "core/hotkeys/shortcut_recorder.h"

namespace corvella {

class GridLayoutStore;
class KeyEventMonitor;
class KeyboardLayout;
class Localizer;
class Log;

struct GridSettingsDependencies {
  GridLayoutStore& store;
  Localizer& localizer;
  Log& log;
  KeyEventMonitor& monitor;
  KeyboardLayout& keyboardLayout;
};

// The page's fixed texts, localized.
struct GridSettingsTexts {
  std::string title;          // "App Window Grids"
  std::string explanation;    // "Windows of the front app fill cells …"
  std::string addButton;      // "Add Grid"
  std::string restoreButton;  // "Restore Defaults"
  std::string removeHelp;     // "Remove": tooltip and accessibility label of a row's button
};

struct GridStepperState {
  std::string label;  // "Columns 3" / "Rows 2"
  std::int64_t value = 0;
  bool canIncrement = false;
  bool canDecrement = false;
};

// One layout's row. It follows its layout by id while the list changes and
// keeps its message and recorder for as long as that layout is listed.
class GridRowModel {
 public:
  GridRowModel(const UUID& id, std::size_t position, const GridSettingsDependencies& dependencies,
               const std::function<void(bool)>& setHotKeysPaused);
  GridRowModel(const GridRowModel&) = delete;
  GridRowModel& operator=(const GridRowModel&) = delete;

  const UUID& id() const { return id_; }
  // The layout as the store holds it now; none once it has been removed.
  std::optional<GridLayout> layout() const;

  std::string shortTitle() const;
  GridStepperState columnsStepper() const;
  GridStepperState rowsStepper() const;
  void incrementColumns();
  void decrementColumns();
  void incrementRows();
  void decrementRows();

  // Filled cell rectangles for a canvas of that size (see gridPreviewCells).
  std::vector<Rect> previewCells(double width, double height) const;

  // Set and cleared by the recorder; shown under the row while present.
  const std::optional<std::string>& message() const { return message_; }
  ShortcutRecorder& recorder() { return *recorder_; }

  // Logs "설정: 격자 삭제 C×R", then removes every layout with this id. The
  // row itself goes away at the page's next rows().
  void remove();

 private:
  friend class GridSettingsModel;

  // Where this row's layout sits in the store's list now, if anywhere.
  std::optional<std::size_t> currentPosition() const;
  void write(const GridLayout& layout);
  void setColumns(std::optional<std::int64_t> columns);
  void setRows(std::optional<std::int64_t> rows);
  GridStepperState stepper(std::string_view format, std::int64_t value) const;

  UUID id_;
  std::size_t position_;  // a hint; the id decides
  GridSettingsDependencies dependencies_;
  std::optional<std::string> message_;
  std::unique_ptr<ShortcutRecorder> recorder_;
};

class GridSettingsModel {
 public:
  GridSettingsModel(GridSettingsDependencies dependencies,
                    std::function<void(bool)> setHotKeysPaused);
  GridSettingsModel(const GridSettingsModel&) = delete;
  GridSettingsModel& operator=(const GridSettingsModel&) = delete;

  GridSettingsTexts texts() const;

  // One row per layout, in list order, brought up to date with the store on
  // every call (the shell calls it when it redraws after a change). Rows of
  // layouts still listed are the same objects as before.
  const std::vector<std::unique_ptr<GridRowModel>>& rows();

  void addGrid();
  void restoreDefaults();

 private:
  GridSettingsDependencies dependencies_;
  std::function<void(bool)> setHotKeysPaused_;
  std::vector<std::unique_ptr<GridRowModel>> rows_;
};

}  // namespace corvella
