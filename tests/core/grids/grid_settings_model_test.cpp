#include "core/grids/grid_settings_model.h"

#include <gtest/gtest.h>

#include <limits>

#include "../app/app_test_harness.h"
#include "core/grids/grid_preview.h"

namespace corvella {
namespace {

using Strings = std::vector<std::string>;
constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();

// The tab over the store of the application's services, loaded from the
// given stored document (none: the built-in four).
struct GridPage : testing_support::AppHarness {
  explicit GridPage(const std::string& storedDocument = "") {
    if (!storedDocument.empty()) storeGrids(storedDocument);
    store().onChange = [this] { ++changes; };
    page.emplace(GridSettingsDependencies{.store = store(),
                                          .localizer = platform.localizer,
                                          .log = services.log(),
                                          .monitor = platform.keyEventMonitor,
                                          .keyboardLayout = platform.keyboardLayout},
                 [](bool) {});
  }
  GridLayoutStore& store() { return services.gridLayoutStore(); }
  GridRowModel& row(std::size_t index) { return *page->rows().at(index); }
  // Each row's title and stepper labels.
  std::vector<Strings> rows() {
    std::vector<Strings> all;
    for (const auto& r : page->rows()) {
      all.push_back({r->shortTitle(), r->columnsStepper().label, r->rowsStepper().label});
    }
    return all;
  }

  std::optional<GridSettingsModel> page;
  int changes = 0;  // onChange calls
};

// A stored document of layouts with these columns and rows, ids 1, 2, ...
std::string layouts(const std::vector<std::pair<std::string, std::string>>& sizes) {
  std::string document;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    document += std::string(i == 0 ? "[" : ",") + "{\"id\":\"00000000-0000-0000-0000-00000000000" +
                char('1' + i) + "\",\"columns\":" + sizes[i].first +
                ",\"rows\":" + sizes[i].second + "}";
  }
  return document + "]";
}

TEST(GridSettingsModelTest, OneRowPerLayoutWithLocalizedTextsAndSteppersThatSaveEachStep) {
  GridPage localized;
  localized.platform.localizer.setTranslation("Add Grid", "격자 추가");
  localized.platform.localizer.setTranslation("Rows %lld", "행 %lld");
  const GridSettingsTexts texts = localized.page->texts();
  EXPECT_EQ(Strings({texts.title, texts.addButton, texts.restoreButton, texts.removeHelp}),
            (Strings{"App Window Grids", "격자 추가", "Restore Defaults", "Remove"}));
  EXPECT_EQ(localized.rows().size(), 4u);
  EXPECT_EQ(localized.rows()[2], (Strings{"12-way Split", "Columns 4", "행 3"}));
  EXPECT_EQ(localized.row(3).id(), localized.store().layouts()[3].id);
  // stored, canIncrement, canDecrement, afterIncrement, afterDecrement (stored when disabled).
  const std::tuple<std::string, bool, bool, std::int64_t, std::int64_t> cases[] = {
      {"1", true, false, 2, 1},
      {"12", false, true, 12, 11},
      {"-5", true, false, 1, -5},
      {"9223372036854775807", false, true, int64Max, 12},
  };
  for (const auto& [stored, canIncrement, canDecrement, afterIncrement, afterDecrement] : cases) {
    SCOPED_TRACE(stored);
    GridPage tab(layouts({{stored, "2"}, {"3", "2"}}));
    const GridStepperState state = tab.row(0).columnsStepper();
    EXPECT_EQ(state.label, "Columns " + stored);
    EXPECT_EQ(state.canIncrement, canIncrement);
    EXPECT_EQ(state.canDecrement, canDecrement);
    tab.row(0).incrementColumns();
    EXPECT_EQ(tab.store().layouts()[0].columns, afterIncrement);
    // One saved change per enabled click; a disabled step writes nothing.
    EXPECT_EQ(tab.platform.defaults.writeCount(), canIncrement ? 1u : 0u);
    EXPECT_EQ(tab.changes, canIncrement ? 1 : 0);
    GridPage again(layouts({{stored, "2"}}));
    again.row(0).decrementColumns();
    EXPECT_EQ(again.store().layouts()[0].columns, afterDecrement);
    EXPECT_EQ(again.changes, canDecrement ? 1 : 0);
  }
  GridPage tab;
  tab.row(1).decrementRows();
  tab.row(1).incrementRows();
  tab.row(1).incrementRows();
  EXPECT_EQ(tab.rows()[1], (Strings{"12-way Split", "Columns 4", "Rows 3"}));
  EXPECT_EQ(tab.rows()[0][0], "6-way Split");  // other rows untouched
}

TEST(GridSettingsModelTest, PreviewsInsetTheirCellsAndDrawNothingForOutlyingGrids) {
  GridPage tab;
  const std::vector<Rect> cells =
      tab.row(0).previewCells(GridPreviewStyle::canvasWidth, GridPreviewStyle::canvasHeight);
  ASSERT_EQ(cells.size(), 6u);
  // 3×2 on the 44×28 canvas: column by column, each cell inset by 0.75.
  const double cellWidth = 44.0 / 3;
  for (std::size_t k = 0; k < 6; ++k) {
    EXPECT_DOUBLE_EQ(cells[k].x, cellWidth * double(k / 2) + 0.75) << k;
    EXPECT_DOUBLE_EQ(cells[k].y, 14.0 * double(k % 2) + 0.75) << k;
    EXPECT_DOUBLE_EQ(cells[k].width, cellWidth - 1.5) << k;
    EXPECT_DOUBLE_EQ(cells[k].height, 12.5) << k;
  }
  // 2 wide cells (22 columns) keep half a point after the inset, 1.1 wide
  // cells (40 columns) nothing; no preview draws more than 64 × 64 cells.
  const std::tuple<std::int64_t, std::int64_t, double, std::size_t> grids[] = {
      {22, 22, 44, 484},
      {0, 2, 44, 0},
      {40, 1, 44, 0},
      {64, 64, 1000, 4096},
      {65, 64, 1000, 0},
      {int64Max, int64Max, 44, 0},
      {3, 2, std::numeric_limits<double>::quiet_NaN(), 0}};
  for (const auto& [columns, rows, width, count] : grids) {
    EXPECT_EQ(gridPreviewCells(columns, rows, width, width).size(), count)
        << columns << "x" << rows << " on " << width;
  }
}

TEST(GridSettingsModelTest,
     RemoveLogsTheShapeAsStoredAndRowsFollowTheirLayoutsThroughDuplicateIds) {
  GridPage tab(layouts({{"3", "2"}, {"-3", "0"}, {"4", "2"}}));
  GridRowModel* last = &tab.row(2);
  EXPECT_EQ(tab.row(1).shortTitle(), "0-way Split");
  tab.row(0).remove();
  last->incrementColumns();  // finds its layout at its new place before the rows are read
  tab.row(0).remove();
  EXPECT_EQ(&tab.row(0), last);  // the rows left keep their state
  EXPECT_EQ(tab.rows(), (std::vector<Strings>{{"10-way Split", "Columns 5", "Rows 2"}}));
  tab.page->addGrid();
  EXPECT_EQ(tab.rows().back()[0], "4-way Split");
  tab.page->restoreDefaults();
  EXPECT_EQ(tab.page->rows().size(), 4u);
  EXPECT_EQ(tab.changes, 5);
  EXPECT_EQ(tab.logMessages(), (Strings{"설정: 격자 삭제 3×2", "설정: 격자 삭제 -3×0"}));
  // Two layouts share an id in a hand-edited document: each row edits its own.
  GridPage dup(
      "[{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":3,\"rows\":2},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":5,\"rows\":5}]");
  dup.row(1).incrementColumns();
  EXPECT_EQ(dup.store().layouts()[0].columns, 3);
  EXPECT_EQ(dup.row(1).shortTitle(), "30-way Split");
}

}  // namespace
}  // namespace corvella
