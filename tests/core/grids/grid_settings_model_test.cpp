// The grid settings tab: texts, rows with titles, steppers and previews, and
// the buttons, each edit going through the store.
#include "core/grids/grid_settings_model.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/grids/grid_preview.h"
#include "grid_settings_test_support.h"
#include "uuid_printer.h"

namespace corvella {
namespace {

using testing::GridSettingsHarness;

constexpr std::string_view stamp = "2026-01-02T03:04:05Z ";
constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();

// A stored document of one layout with these counts, as JSON text.
std::string oneLayout(const std::string& columns, const std::string& rows) {
  return "[{\"id\":\"00000000-0000-0000-0000-000000000001\",\"columns\":" + columns +
         ",\"rows\":" + rows + "}]";
}

TEST(GridSettingsModelTest, PageTextsAreLocalized) {
  GridSettingsHarness harness;
  harness.platform.localizer.setTranslation("Add Grid", "격자 추가");
  const GridSettingsTexts texts = harness.page->texts();
  EXPECT_EQ(texts.title, "App Window Grids");
  EXPECT_EQ(texts.explanation,
            "Windows of the front app fill cells from the top left. Extra windows stay where they "
            "are.");
  EXPECT_EQ(texts.addButton, "격자 추가");
  EXPECT_EQ(texts.restoreButton, "Restore Defaults");
  EXPECT_EQ(texts.removeHelp, "Remove");
}

TEST(GridSettingsModelTest, OneRowPerLayoutWithTitleAndStepperLabels) {
  GridSettingsHarness harness;
  harness.platform.localizer.setTranslation("Rows %lld", "행 %lld");
  const auto& rows = harness.page->rows();
  ASSERT_EQ(rows.size(), 4u);
  const std::string expected[][3] = {{"6-way Split", "Columns 3", "행 2"},
                                     {"8-way Split", "Columns 4", "행 2"},
                                     {"12-way Split", "Columns 4", "행 3"},
                                     {"24-way Split", "Columns 6", "행 4"}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i]->id(), harness.store->layouts()[i].id);
    EXPECT_EQ(rows[i]->shortTitle(), expected[i][0]);
    EXPECT_EQ(rows[i]->columnsStepper().label, expected[i][1]);
    EXPECT_EQ(rows[i]->rowsStepper().label, expected[i][2]);
    EXPECT_EQ(rows[i]->message(), std::nullopt);
  }
}

TEST(GridSettingsModelTest, EachStepWritesTheLayoutAndSavesAtOnce) {
  GridSettingsHarness harness;
  GridRowModel& first = harness.row(0);
  first.incrementColumns();
  EXPECT_EQ(first.shortTitle(), "8-way Split");
  EXPECT_EQ(harness.changes, 1);
  EXPECT_EQ(decodeGridLayouts(*harness.platform.defaults.dataText("gridLayouts")),
            harness.store->layouts());

  first.decrementRows();
  first.incrementRows();
  first.incrementRows();
  EXPECT_EQ(harness.store->layouts()[0].columns, 4);
  EXPECT_EQ(harness.store->layouts()[0].rows, 3);
  EXPECT_EQ(harness.store->layouts()[1].columns, 4);  // other rows untouched
  EXPECT_EQ(harness.changes, 4);                      // one change sequence per click
  EXPECT_EQ(harness.platform.defaults.writeCount(), 4u);
}

TEST(GridSettingsModelTest, SteppersStopAtOneAndTwelveAndLeadOutlyingValuesBack) {
  const struct {
    std::string stored;
    bool canIncrement, canDecrement;
    std::int64_t afterIncrement, afterDecrement;  // the stored value when disabled
  } cases[] = {
      {"1", true, false, 2, 1},    {"12", false, true, 12, 11},
      {"0", true, false, 1, 0},    {"-5", true, false, 1, -5},
      {"40", false, true, 40, 12}, {"9223372036854775807", false, true, int64Max, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    GridSettingsHarness harness(oneLayout(c.stored, "2"));
    const GridStepperState state = harness.row(0).columnsStepper();
    EXPECT_EQ(state.label, "Columns " + c.stored);
    EXPECT_EQ(state.canIncrement, c.canIncrement);
    EXPECT_EQ(state.canDecrement, c.canDecrement);

    harness.row(0).incrementColumns();
    EXPECT_EQ(harness.store->layouts()[0].columns, c.afterIncrement);
    EXPECT_EQ(harness.changes, c.canIncrement ? 1 : 0);  // a disabled step writes nothing
    GridSettingsHarness again(oneLayout(c.stored, "2"));
    again.row(0).decrementColumns();
    EXPECT_EQ(again.store->layouts()[0].columns, c.afterDecrement);
    EXPECT_EQ(again.platform.defaults.writeCount(), c.canDecrement ? 1u : 0u);
  }
}

TEST(GridSettingsModelTest, PreviewOfThreeByTwoOnTheRowCanvas) {
  GridSettingsHarness harness;
  const std::vector<Rect> cells =
      harness.row(0).previewCells(GridPreviewStyle::canvasWidth, GridPreviewStyle::canvasHeight);
  ASSERT_EQ(cells.size(), 6u);
  const double cellWidth = 44.0 / 3;  // about 14.67
  // Column by column, top to bottom within a column; each cell inset by 0.75.
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 2; ++row) {
      const Rect& cell = cells[static_cast<std::size_t>(column * 2 + row)];
      EXPECT_DOUBLE_EQ(cell.x, cellWidth * column + 0.75);
      EXPECT_DOUBLE_EQ(cell.y, 14.0 * row + 0.75);
      EXPECT_DOUBLE_EQ(cell.width, cellWidth - 1.5);  // about 13.17
      EXPECT_DOUBLE_EQ(cell.height, 12.5);
    }
  }
}

TEST(GridSettingsModelTest, PreviewOfHandEditedGridsDrawsNothingOrStaysBounded) {
  const struct {
    std::int64_t columns, rows;
    double width;
    std::size_t cells;
  } cases[] = {
      {12, 12, 44, 144},
      {0, 2, 44, 0},
      {-3, -2, 44, 0},
      {40, 1, 44, 0},  // 1.1 wide cells leave nothing after the inset
      {64, 64, 1000, 4096},
      {65, 64, 1000, 0},  // more than any preview draws
      {int64Max, int64Max, 44, 0},
      {3, 2, std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gridPreviewCells(c.columns, c.rows, c.width, c.width).size(), c.cells)
        << c.columns << "x" << c.rows << " on " << c.width;
  }
}

TEST(GridSettingsModelTest, HandEditedRowShowsAsStoredAndRemovalLogsIt) {
  GridSettingsHarness harness(oneLayout("-3", "0"));
  GridRowModel& row = harness.row(0);
  EXPECT_EQ(row.shortTitle(), "0-way Split");
  EXPECT_EQ(row.columnsStepper().label, "Columns -3");
  EXPECT_TRUE(row.previewCells(44, 28).empty());
  row.remove();
  EXPECT_EQ(harness.logText(), std::string(stamp) + "설정: 격자 삭제 -3×0\n");
  EXPECT_TRUE(harness.store->layouts().empty());
  EXPECT_TRUE(harness.page->rows().empty());
}

TEST(GridSettingsModelTest, RemoveLogsTheShapeThenRemovesTheLayout) {
  GridSettingsHarness harness;
  const UUID removed = harness.row(0).id();
  GridRowModel* second = &harness.row(1);
  harness.row(0).remove();
  EXPECT_EQ(harness.logText(), std::string(stamp) + "설정: 격자 삭제 3×2\n");
  EXPECT_EQ(harness.store->layoutWithID(removed), std::nullopt);
  EXPECT_EQ(harness.changes, 1);
  ASSERT_EQ(harness.page->rows().size(), 3u);
  EXPECT_EQ(&harness.row(0), second);  // the rows left keep their state
}

TEST(GridSettingsModelTest, AddAndRestoreGoThroughTheStore) {
  GridSettingsHarness harness("[]");
  EXPECT_TRUE(harness.page->rows().empty());
  harness.page->addGrid();
  ASSERT_EQ(harness.page->rows().size(), 1u);
  EXPECT_EQ(harness.row(0).shortTitle(), "4-way Split");
  harness.page->restoreDefaults();
  EXPECT_EQ(harness.store->layouts(), harness.store->defaultLayouts());
  EXPECT_EQ(harness.page->rows().size(), 4u);
  EXPECT_EQ(harness.changes, 2);
  EXPECT_EQ(harness.logText(), "");  // only removal is logged
}

TEST(GridSettingsModelTest, RowsFollowTheirLayoutsThroughDuplicateIds) {
  // Two layouts share an id in a hand-edited document: each row edits its own.
  GridSettingsHarness harness(
      "[{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":3,\"rows\":2},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":5,\"rows\":5}]");
  ASSERT_EQ(harness.page->rows().size(), 2u);
  harness.row(1).incrementColumns();
  EXPECT_EQ(harness.store->layouts()[0].columns, 3);
  EXPECT_EQ(harness.store->layouts()[1].columns, 6);
  EXPECT_EQ(harness.row(1).shortTitle(), "30-way Split");
}

TEST(GridSettingsModelTest, RecorderOfARowRecordsIntoItsLayout) {
  GridSettingsHarness harness;
  GridRowModel& row = harness.row(1);
  row.recorder().click();
  harness.platform.keyEventMonitor.type(0, ModifierFlag::shift);  // shift-A
  EXPECT_EQ(row.message(), "Use with at least one of ⌘, ⌥ or ⌃.");
  harness.platform.keyEventMonitor.type(18, ModifierFlag::control | ModifierFlag::option);
  EXPECT_EQ(row.message(), std::nullopt);
  EXPECT_EQ(harness.store->layouts()[1].shortcut, (Shortcut{.keyCode = 18, .modifiers = 0xC0000}));
  EXPECT_EQ(harness.pauses, (std::vector<bool>{true, false}));
  EXPECT_EQ(decodeGridLayouts(*harness.platform.defaults.dataText("gridLayouts")),
            harness.store->layouts());

  // Another row cannot take it: its message names this grid.
  GridRowModel& other = harness.row(0);
  other.recorder().click();
  harness.platform.keyEventMonitor.type(18, ModifierFlag::control | ModifierFlag::option);
  EXPECT_EQ(other.message(), "Already used by “8-way Split (4×2)”.");
  EXPECT_EQ(harness.store->layouts()[0].shortcut, std::nullopt);
}

TEST(GridSettingsModelTest, RemovingARowThatIsRecordingTakesItsMonitorAway) {
  GridSettingsHarness harness;
  harness.row(2).recorder().click();
  harness.row(2).remove();
  EXPECT_EQ(harness.page->rows().size(), 3u);
  EXPECT_EQ(harness.platform.keyEventMonitor.monitorCount(), 0u);
  EXPECT_TRUE(harness.platform.keyEventMonitor.type(18, ModifierFlag::control));  // passed on
}

}  // namespace
}  // namespace corvella
