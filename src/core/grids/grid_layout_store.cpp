#include "core/grids/grid_layout_store.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/ports/defaults.h"

namespace corvella {

namespace {

std::vector<GridLayout> builtInLayouts() {
  constexpr std::pair<std::int64_t, std::int64_t> sizes[] = {{3, 2}, {4, 2}, {4, 3}, {6, 4}};
  std::vector<GridLayout> layouts;
  for (const auto& [columns, rows] : sizes) {
    layouts.push_back({.id = UUID::random(), .columns = columns, .rows = rows, .shortcut = {}});
  }
  return layouts;
}

}  // namespace

GridLayoutStore::GridLayoutStore(Defaults& defaults) : defaults_(defaults) {
  // Whatever is unusable (nothing stored, another kind of value, any decoding
  // error) gives the defaults. The stored value stays until the next save.
  std::optional<std::vector<GridLayout>> stored;
  if (const std::optional<Bytes> data = defaults_.data(key)) {
    stored = decodeGridLayouts(std::string(data->begin(), data->end()));
  }
  layouts_ = stored ? std::move(*stored) : defaultLayouts();
}

void GridLayoutStore::setLayouts(std::vector<GridLayout> layouts) {
  // Copies, so that an observer or callback may add or remove observers, or
  // replace onChange, while it runs.
  const auto observers = observers_;
  for (const auto& [id, observer] : observers) {
    if (observer) observer();
  }
  layouts_ = std::move(layouts);
  save();
  const std::function<void()> changed = onChange;
  if (changed) changed();
}

std::optional<GridLayout> GridLayoutStore::layoutWithID(const UUID& id) const {
  const auto found = std::find_if(layouts_.begin(), layouts_.end(),
                                  [&](const GridLayout& layout) { return layout.id == id; });
  if (found == layouts_.end()) return std::nullopt;
  return *found;
}

void GridLayoutStore::addLayout() {
  std::vector<GridLayout> layouts = layouts_;
  layouts.push_back({.id = UUID::random(), .columns = 2, .rows = 2, .shortcut = {}});
  setLayouts(std::move(layouts));
}

void GridLayoutStore::removeLayout(const UUID& id) {
  std::vector<GridLayout> layouts = layouts_;
  std::erase_if(layouts, [&](const GridLayout& layout) { return layout.id == id; });
  setLayouts(std::move(layouts));
}

void GridLayoutStore::restoreDefaults() {
  setLayouts(defaultLayouts());
}

const std::vector<GridLayout>& GridLayoutStore::defaultLayouts() {
  if (!defaultLayouts_) defaultLayouts_ = builtInLayouts();
  return *defaultLayouts_;
}

GridLayoutStore::ObserverID GridLayoutStore::addWillChangeObserver(std::function<void()> observer) {
  const ObserverID id = nextObserverID_++;
  observers_.emplace_back(id, std::move(observer));
  return id;
}

void GridLayoutStore::removeObserver(ObserverID id) {
  std::erase_if(observers_, [&](const auto& entry) { return entry.first == id; });
}

void GridLayoutStore::save() {
  // A list that cannot be encoded leaves the previous document in place.
  const std::optional<std::string> document = encodeGridLayouts(layouts_);
  if (!document) return;
  defaults_.setData(key, Bytes(document->begin(), document->end()));
}

}  // namespace corvella
