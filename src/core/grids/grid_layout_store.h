// GridLayoutStore: the user's grid layouts, persisted in the defaults under
// "gridLayouts", announcing every change.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "core/grids/grid_layout.h"

namespace corvella {

class Defaults;

class GridLayoutStore {
 public:
  static constexpr std::string_view key = "gridLayouts";
  using ObserverID = std::uint64_t;

  // Loads the stored list, or the defaults when nothing usable is stored.
  explicit GridLayoutStore(Defaults& defaults);

  const std::vector<GridLayout>& layouts() const { return layouts_; }
  // Every assignment runs the change sequence: observers, store, save, onChange.
  void setLayouts(std::vector<GridLayout> layouts);

  std::optional<GridLayout> layoutWithID(const UUID& id) const;
  void addLayout();
  void removeLayout(const UUID& id);
  void restoreDefaults();
  // The built-in four, made once per store (the store lives for the process).
  const std::vector<GridLayout>& defaultLayouts();

  // Run after every change of the list; set by the application shell.
  std::function<void()> onChange;
  // Views are told before every change.
  ObserverID addWillChangeObserver(std::function<void()> observer);
  void removeObserver(ObserverID id);

 private:
  void save();

  Defaults& defaults_;
  std::vector<GridLayout> layouts_;
  std::optional<std::vector<GridLayout>> defaultLayouts_;
  std::vector<std::pair<ObserverID, std::function<void()>>> observers_;
  ObserverID nextObserverID_ = 1;
};

}  // namespace corvella
