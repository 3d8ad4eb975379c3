// Fuzzes the stored "gridLayouts" document as the store meets it at launch.
// Every input either loads exactly as decoded or falls back to the built-in
// list without writing; a loaded list re-encodes to a document that loads to
// the same list; titles and previews of whatever loaded never fail. A broken
// rule traps, so libFuzzer reports the input.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/grids/grid_layout.h"
#include "core/grids/grid_layout_store.h"
#include "core/grids/grid_preview.h"
#include "core/ports/defaults.h"
#include "core/ports/localizer.h"

namespace {

using corvella::Bytes;

class FuzzDefaults final : public corvella::Defaults {
 public:
  explicit FuzzDefaults(Bytes stored) : stored_(std::move(stored)) {}

  std::optional<Bytes> data(std::string_view) override { return stored_; }
  std::optional<std::string> string(std::string_view) override { return std::nullopt; }
  void setData(std::string_view, const Bytes& value) override {
    stored_ = value;
    ++writes_;
  }
  void setString(std::string_view, const std::string&) override { ++writes_; }

  const std::optional<Bytes>& stored() const { return stored_; }
  int writes() const { return writes_; }

 private:
  std::optional<Bytes> stored_;
  int writes_ = 0;
};

class EnglishLocalizer final : public corvella::Localizer {
 public:
  std::string localized(std::string_view englishText) override { return std::string(englishText); }
};

void require(bool condition) {
  if (!condition) __builtin_trap();
}

// The titles and the preview of a few layouts must come out whatever the
// stored counts are.
void drawRows(const std::vector<corvella::GridLayout>& layouts) {
  EnglishLocalizer localizer;
  std::size_t drawn = 0;
  for (const corvella::GridLayout& layout : layouts) {
    if (++drawn > 8) break;
    require(!corvella::displayName(layout, localizer).empty());
    const auto cells = corvella::gridPreviewCells(layout.columns, layout.rows,
                                                  corvella::GridPreviewStyle::canvasWidth,
                                                  corvella::GridPreviewStyle::canvasHeight);
    require(cells.size() <= static_cast<std::size_t>(corvella::GridPreviewStyle::maxCells));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Bytes input(data, data + size);
  const std::string document(input.begin(), input.end());
  const std::optional<std::vector<corvella::GridLayout>> decoded =
      corvella::decodeGridLayouts(document);

  FuzzDefaults defaults(input);
  corvella::GridLayoutStore store(defaults);
  require(defaults.writes() == 0);  // loading never saves
  if (!decoded) {
    require(store.layouts() == store.defaultLayouts());
    require(store.layouts().size() == 4);
    return 0;
  }
  require(store.layouts() == *decoded);
  drawRows(*decoded);

  const std::optional<std::string> encoded = corvella::encodeGridLayouts(*decoded);
  require(encoded.has_value());
  const auto reloaded = corvella::decodeGridLayouts(*encoded);
  require(reloaded.has_value() && *reloaded == *decoded);
  require(corvella::encodeGridLayouts(*reloaded) == encoded);

  // The store saves the same document, and a fresh store loads it back.
  store.setLayouts(store.layouts());
  require(defaults.writes() == 1);
  require(defaults.stored() == Bytes(encoded->begin(), encoded->end()));
  corvella::GridLayoutStore next(defaults);
  require(next.layouts() == *decoded);
  return 0;
}
