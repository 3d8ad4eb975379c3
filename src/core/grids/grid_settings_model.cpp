#include "core/grids/grid_settings_model.h"

#include <array>
#include <map>
#include <utility>

#include "core/app/log.h"
#include "core/grids/count_format.h"
#include "core/grids/grid_layout_store.h"
#include "core/grids/grid_preview.h"
#include "core/grids/grid_stepper.h"
#include "core/ports/localizer.h"

namespace corvella {

GridRowModel::GridRowModel(const UUID& id, std::size_t position,
                           const GridSettingsDependencies& dependencies,
                           const std::function<void(bool)>& setHotKeysPaused)
    : id_(id), position_(position), dependencies_(dependencies) {
  Binding<std::optional<Shortcut>> shortcut{
      .get = [this]() -> std::optional<Shortcut> {
        const std::optional<GridLayout> current = layout();
        return current ? current->shortcut : std::nullopt;
      },
      .set =
          [this](std::optional<Shortcut> value) {
            std::optional<GridLayout> current = layout();
            if (!current) return;
            current->shortcut = value;
            write(*current);
          },
  };
  Binding<std::optional<std::string>> message{
      .get = [this] { return message_; },
      .set = [this](std::optional<std::string> value) { message_ = std::move(value); },
  };
  recorder_ = std::make_unique<ShortcutRecorder>(
      std::move(shortcut), std::move(message), id_, setHotKeysPaused,
      ShortcutRecorder::Dependencies{.store = dependencies_.store,
                                     .monitor = dependencies_.monitor,
                                     .keyboardLayout = dependencies_.keyboardLayout,
                                     .localizer = dependencies_.localizer});
}

std::optional<std::size_t> GridRowModel::currentPosition() const {
  const std::vector<GridLayout>& layouts = dependencies_.store.layouts();
  if (position_ < layouts.size() && layouts[position_].id == id_) return position_;
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    if (layouts[i].id == id_) return i;
  }
  return std::nullopt;
}

std::optional<GridLayout> GridRowModel::layout() const {
  const std::optional<std::size_t> position = currentPosition();
  if (!position) return std::nullopt;
  return dependencies_.store.layouts()[*position];
}

void GridRowModel::write(const GridLayout& layout) {
  // The whole list is assigned, so every edit runs the store's change
  // sequence: observers, save, onChange.
  const std::optional<std::size_t> position = currentPosition();
  if (!position) return;
  std::vector<GridLayout> layouts = dependencies_.store.layouts();
  layouts[*position] = layout;
  position_ = *position;
  dependencies_.store.setLayouts(std::move(layouts));
}

std::string GridRowModel::shortTitle() const {
  const std::optional<GridLayout> current = layout();
  return current ? corvella::shortTitle(*current, dependencies_.localizer) : std::string();
}

GridStepperState GridRowModel::stepper(std::string_view format, std::int64_t value) const {
  return {.label = formatCount(dependencies_.localizer.localized(format), value),
          .value = value,
          .canIncrement = canStepUp(value),
          .canDecrement = canStepDown(value)};
}

GridStepperState GridRowModel::columnsStepper() const {
  const std::optional<GridLayout> current = layout();
  return current ? stepper("Columns %lld", current->columns) : GridStepperState{};
}

GridStepperState GridRowModel::rowsStepper() const {
  const std::optional<GridLayout> current = layout();
  return current ? stepper("Rows %lld", current->rows) : GridStepperState{};
}

void GridRowModel::setColumns(std::optional<std::int64_t> columns) {
  std::optional<GridLayout> current = layout();
  if (!current || !columns) return;  // a disabled step writes nothing
  current->columns = *columns;
  write(*current);
}

void GridRowModel::setRows(std::optional<std::int64_t> rows) {
  std::optional<GridLayout> current = layout();
  if (!current || !rows) return;
  current->rows = *rows;
  write(*current);
}

void GridRowModel::incrementColumns() {
  if (const auto current = layout()) setColumns(steppedUp(current->columns));
}

void GridRowModel::decrementColumns() {
  if (const auto current = layout()) setColumns(steppedDown(current->columns));
}

void GridRowModel::incrementRows() {
  if (const auto current = layout()) setRows(steppedUp(current->rows));
}

void GridRowModel::decrementRows() {
  if (const auto current = layout()) setRows(steppedDown(current->rows));
}

std::vector<Rect> GridRowModel::previewCells(double width, double height) const {
  const std::optional<GridLayout> current = layout();
  if (!current) return {};
  return gridPreviewCells(current->columns, current->rows, width, height);
}

void GridRowModel::remove() {
  const std::optional<GridLayout> current = layout();
  if (!current) return;
  // Only copies are used from here on: the store's change sequence may lead
  // a shell to rebuild its rows.
  GridLayoutStore& store = dependencies_.store;
  const UUID id = id_;
  dependencies_.log.log("설정: 격자 삭제 " + std::to_string(current->columns) + "\u00D7" +
                        std::to_string(current->rows));
  store.removeLayout(id);
}

GridSettingsModel::GridSettingsModel(GridSettingsDependencies dependencies,
                                     std::function<void(bool)> setHotKeysPaused)
    : dependencies_(dependencies), setHotKeysPaused_(std::move(setHotKeysPaused)) {}

GridSettingsTexts GridSettingsModel::texts() const {
  Localizer& localizer = dependencies_.localizer;
  return {
      .title = localizer.localized("App Window Grids"),
      .explanation = localizer.localized(
          "Windows of the front app fill cells from the top left. Extra windows stay where they "
          "are."),
      .addButton = localizer.localized("Add Grid"),
      .restoreButton = localizer.localized("Restore Defaults"),
      .removeHelp = localizer.localized("Remove"),
  };
}

const std::vector<std::unique_ptr<GridRowModel>>& GridSettingsModel::rows() {
  // Existing rows by id, in their old order, so that hand-edited duplicate
  // ids still pair up one to one.
  std::multimap<std::array<std::uint8_t, 16>, std::size_t> previous;
  for (std::size_t i = 0; i < rows_.size(); ++i) previous.emplace(rows_[i]->id().bytes, i);

  const std::vector<GridLayout>& layouts = dependencies_.store.layouts();
  std::vector<std::unique_ptr<GridRowModel>> next;
  next.reserve(layouts.size());
  for (std::size_t position = 0; position < layouts.size(); ++position) {
    const UUID& id = layouts[position].id;
    std::unique_ptr<GridRowModel> row;
    if (const auto match = previous.lower_bound(id.bytes);
        match != previous.end() && match->first == id.bytes) {
      row = std::move(rows_[match->second]);
      previous.erase(match);
      row->position_ = position;
    } else {
      row = std::make_unique<GridRowModel>(id, position, dependencies_, setHotKeysPaused_);
    }
    next.push_back(std::move(row));
  }
  rows_ = std::move(next);
  return rows_;
}

void GridSettingsModel::addGrid() {
  dependencies_.store.addLayout();
}

void GridSettingsModel::restoreDefaults() {
  dependencies_.store.restoreDefaults();
}

}  // namespace corvella
