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
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

std::string document(const std::vector<std::pair<std::string, std::string>>& sizes) {
  std::string text = "[";
  int serial = 0;
  for (const auto& [columns, rows] : sizes) {
    if (serial > 0) text += ',';
    text += "{\"id\":\"00000000-0000-0000-0000-00000000000" + std::to_string(++serial) +
            "\",\"columns\":" + columns + ",\"rows\":" + rows + "}";
  }
  return text + "]";
}

TEST(GridSettingsModelTest, PageTextsAreLocalized) {
  GridSettingsHarness harness;
  const GridSettingsTexts texts = harness.page->texts();
  EXPECT_EQ(texts.title, "App Window Grids");
  EXPECT_EQ(texts.explanation,
            "Windows of the front app fill cells from the top left. Extra windows stay where they "
            "are.");
  EXPECT_EQ(texts.addButton, "Add Grid");
  EXPECT_EQ(texts.restoreButton, "Restore Defaults");
  EXPECT_EQ(texts.removeHelp, "Remove");

  harness.platform.localizer.setTranslation("Add Grid", "격자 추가");
  EXPECT_EQ(harness.page->texts().addButton, "격자 추가");
}

TEST(GridSettingsModelTest, OneRowPerLayoutWithTitleAndStepperLabels) {
  GridSettingsHarness harness;
  harness.platform.localizer.setTranslation("Rows %lld", "행 %lld");
  const auto& rows = harness.page->rows();
  ASSERT_EQ(rows.size(), 4u);
  const std::string titles[] = {"6-way Split", "8-way Split", "12-way Split", "24-way Split"};
  const std::string columns[] = {"Columns 3", "Columns 4", "Columns 4", "Columns 6"};
  const std::string rowLabels[] = {"행 2", "행 2", "행 3", "행 4"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i]->id(), harness.store->layouts()[i].id);
    EXPECT_EQ(rows[i]->shortTitle(), titles[i]);
    EXPECT_EQ(rows[i]->columnsStepper().label, columns[i]);
    EXPECT_EQ(rows[i]->rowsStepper().label, rowLabels[i]);
    EXPECT_EQ(rows[i]->message(), std::nullopt);
  }
}

TEST(GridSettingsModelTest, EmptyListHasNoRows) {
  GridSettingsHarness harness("[]");
  EXPECT_TRUE(harness.page->rows().empty());
  harness.page->addGrid();
  ASSERT_EQ(harness.page->rows().size(), 1u);
  EXPECT_EQ(harness.row(0).shortTitle(), "4-way Split");
}

TEST(GridSettingsModelTest, EachStepWritesTheLayoutAndSavesAtOnce) {
  GridSettingsHarness harness;
  GridRowModel& first = harness.row(0);
  first.incrementColumns();
  EXPECT_EQ(harness.store->layouts()[0].columns, 4);
  EXPECT_EQ(harness.store->layouts()[0].rows, 2);
  EXPECT_EQ(first.shortTitle(), "8-way Split");
  EXPECT_EQ(harness.changes, 1);
  EXPECT_EQ(harness.platform.defaults.writeCount(), 1u);
  const auto stored = decodeGridLayouts(*harness.platform.defaults.dataText("gridLayouts"));
  ASSERT_TRUE(stored);
  EXPECT_EQ(*stored, harness.store->layouts());

  first.decrementRows();
  first.incrementRows();
  first.incrementRows();
  EXPECT_EQ(harness.store->layouts()[0].rows, 3);
  EXPECT_EQ(harness.changes, 4);  // one change sequence per click
  EXPECT_EQ(harness.platform.defaults.writeCount(), 4u);
  EXPECT_EQ(harness.store->layouts()[1].columns, 4);  // other rows untouched
}

TEST(GridSettingsModelTest, SteppersStopAtOneAndTwelveAndLeadOutlyingValuesBack) {
  const struct {
    std::string stored;
    std::int64_t value;
    bool canIncrement;
    bool canDecrement;
    std::optional<std::int64_t> afterIncrement;
    std::optional<std::int64_t> afterDecrement;
  } cases[] = {
      {"1", 1, true, false, 2, std::nullopt},
      {"2", 2, true, true, 3, 1},
      {"11", 11, true, true, 12, 10},
      {"12", 12, false, true, std::nullopt, 11},
      {"0", 0, true, false, 1, std::nullopt},
      {"-5", -5, true, false, 1, std::nullopt},
      {"40", 40, false, true, std::nullopt, 12},
      {"9223372036854775807", int64Max, false, true, std::nullopt, 12},
      {"-9223372036854775808", int64Min, true, false, 1, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    for (const bool columns : {true, false}) {
      GridSettingsHarness harness(document({{c.stored, c.stored}}));
      GridRowModel& row = harness.row(0);
      const GridStepperState state = columns ? row.columnsStepper() : row.rowsStepper();
      EXPECT_EQ(state.value, c.value);
      EXPECT_EQ(state.label, (columns ? "Columns " : "Rows ") + c.stored);
      EXPECT_EQ(state.canIncrement, c.canIncrement);
      EXPECT_EQ(state.canDecrement, c.canDecrement);

      const auto stepped = [&](bool up) {
        GridSettingsHarness fresh(document({{c.stored, c.stored}}));
        GridRowModel& target = fresh.row(0);
        if (columns) {
          up ? target.incrementColumns() : target.decrementColumns();
        } else {
          up ? target.incrementRows() : target.decrementRows();
        }
        const GridLayout& layout = fresh.store->layouts()[0];
        EXPECT_EQ(columns ? layout.rows : layout.columns, c.value);  // the other one stays
        // A disabled step writes nothing at all.
        EXPECT_EQ(fresh.changes, fresh.platform.defaults.writeCount() == 0 ? 0 : 1);
        return fresh.platform.defaults.writeCount() == 0
                   ? std::nullopt
                   : std::optional<std::int64_t>(columns ? layout.columns : layout.rows);
      };
      EXPECT_EQ(stepped(true), c.afterIncrement);
      EXPECT_EQ(stepped(false), c.afterDecrement);
    }
  }
}

TEST(GridSettingsModelTest, RepeatedStepsNeverLeaveTheRange) {
  GridSettingsHarness harness(document({{"1", "1"}}));
  GridRowModel& row = harness.row(0);
  for (int i = 0; i < 20; ++i) row.incrementColumns();
  EXPECT_EQ(harness.store->layouts()[0].columns, 12);
  EXPECT_EQ(harness.changes, 11);
  for (int i = 0; i < 20; ++i) row.decrementColumns();
  EXPECT_EQ(harness.store->layouts()[0].columns, 1);
  EXPECT_EQ(harness.changes, 22);
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
  EXPECT_NEAR(cells[5].x + cells[5].width, 44 - 0.75, 1e-9);
  EXPECT_DOUBLE_EQ(cells[5].y + cells[5].height, 28 - 0.75);
  EXPECT_EQ(GridPreviewStyle::cornerRadius, 1.5);
  EXPECT_EQ(GridPreviewStyle::fillOpacity, 0.55);
}

TEST(GridSettingsModelTest, PreviewOfHandEditedGridsDrawsNothingOrStaysSmall) {
  const struct {
    std::int64_t columns;
    std::int64_t rows;
    double width;
    double height;
    std::size_t cells;
  } cases[] = {
      {1, 1, 44, 28, 1},
      {12, 12, 44, 28, 144},
      {0, 2, 44, 28, 0},
      {3, 0, 44, 28, 0},
      {-3, -2, 44, 28, 0},
      {40, 1, 44, 28, 0},  // 1.1 wide cells leave nothing after the inset
      {64, 64, 1000, 1000, 4096},
      {65, 64, 1000, 1000, 0},  // more than any preview draws
      {int64Max, int64Max, 44, 28, 0},
      {int64Max, 1, 1e300, 28, 0},
      {int64Min, 2, 44, 28, 0},
      {3, 2, 0, 0, 0},
      {3, 2, std::numeric_limits<double>::quiet_NaN(), 28, 0},
      {3, 2, std::numeric_limits<double>::infinity(), 28, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gridPreviewCells(c.columns, c.rows, c.width, c.height).size(), c.cells)
        << c.columns << "x" << c.rows << " on " << c.width << "x" << c.height;
  }
}

TEST(GridSettingsModelTest, HandEditedRowsShowWithoutFailing) {
  GridSettingsHarness harness(
      document({{"0", "3"}, {"-2", "4"}, {"9223372036854775807", "9223372036854775807"}}));
  ASSERT_EQ(harness.page->rows().size(), 3u);
  EXPECT_EQ(harness.row(0).shortTitle(), "0-way Split");
  EXPECT_EQ(harness.row(1).shortTitle(), "-8-way Split");
  EXPECT_EQ(harness.row(2).shortTitle(), "9223372036854775807-way Split");
  EXPECT_EQ(harness.row(1).columnsStepper().label, "Columns -2");
  for (std::size_t i = 0; i < 3; ++i) EXPECT_TRUE(harness.row(i).previewCells(44, 28).empty());
}

TEST(GridSettingsModelTest, RemoveLogsTheShapeThenRemovesTheLayout) {
  GridSettingsHarness harness;
  const UUID removed = harness.row(0).id();
  GridRowModel* second = &harness.row(1);
  harness.row(0).remove();
  EXPECT_EQ(harness.logText(), std::string(stamp) + "설정: 격자 삭제 3×2\n");
  EXPECT_EQ(harness.store->layoutWithID(removed), std::nullopt);
  EXPECT_EQ(harness.changes, 1);
  const auto& rows = harness.page->rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].get(), second);  // the rows left keep their state
  EXPECT_EQ(rows[0]->shortTitle(), "8-way Split");
}

TEST(GridSettingsModelTest, RemoveOfAHandEditedLayoutLogsItAsStored) {
  GridSettingsHarness harness(document({{"-3", "0"}}));
  harness.row(0).remove();
  EXPECT_EQ(harness.logText(), std::string(stamp) + "설정: 격자 삭제 -3×0\n");
  EXPECT_TRUE(harness.store->layouts().empty());
}

TEST(GridSettingsModelTest, AddAndRestoreGoThroughTheStore) {
  GridSettingsHarness harness;
  const std::vector<GridLayout> defaults = harness.store->layouts();
  harness.page->addGrid();
  ASSERT_EQ(harness.page->rows().size(), 5u);
  EXPECT_EQ(harness.row(4).shortTitle(), "4-way Split");
  EXPECT_EQ(harness.store->layouts()[4].shortcut, std::nullopt);

  std::vector<GridLayout> edited = harness.store->layouts();
  edited[0].shortcut = Shortcut{.keyCode = 18, .modifiers = 0xC0000};
  harness.store->setLayouts(edited);
  harness.page->restoreDefaults();
  EXPECT_EQ(harness.store->layouts(), defaults);
  EXPECT_EQ(harness.page->rows().size(), 4u);
  EXPECT_EQ(harness.changes, 3);
  EXPECT_EQ(harness.logText(), "");  // only removal is logged
}

TEST(GridSettingsModelTest, RowsFollowTheirLayoutsThroughDuplicateIds) {
  // Two layouts share an id in a hand-edited document: each row edits its own.
  GridSettingsHarness harness(
      "[{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":3,\"rows\":2},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":5,\"rows\":5}]");
  ASSERT_EQ(harness.page->rows().size(), 2u);
  EXPECT_NE(&harness.row(0), &harness.row(1));
  harness.row(1).incrementColumns();
  EXPECT_EQ(harness.store->layouts()[0].columns, 3);
  EXPECT_EQ(harness.store->layouts()[1].columns, 6);
  EXPECT_EQ(harness.row(1).shortTitle(), "30-way Split");
}

TEST(GridSettingsModelTest, RecorderOfARowRecordsIntoItsLayout) {
  GridSettingsHarness harness;
  GridRowModel& row = harness.row(1);
  EXPECT_EQ(row.recorder().label(), "Record Shortcut");
  row.recorder().click();
  EXPECT_EQ(harness.pauses, std::vector<bool>{true});

  harness.platform.keyEventMonitor.type(0, ModifierFlag::shift);  // shift-A
  EXPECT_EQ(row.message(), "Use with at least one of ⌘, ⌥ or ⌃.");
  harness.platform.keyEventMonitor.type(18, ModifierFlag::control | ModifierFlag::option);
  EXPECT_EQ(row.message(), std::nullopt);
  EXPECT_EQ(harness.store->layouts()[1].shortcut, (Shortcut{.keyCode = 18, .modifiers = 0xC0000}));
  EXPECT_EQ(harness.store->layouts()[0].shortcut, std::nullopt);
  EXPECT_EQ(harness.pauses, (std::vector<bool>{true, false}));
  EXPECT_EQ(row.recorder().label(), "⌃⌥1");
  const auto stored = decodeGridLayouts(*harness.platform.defaults.dataText("gridLayouts"));
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->at(1).shortcut, (Shortcut{.keyCode = 18, .modifiers = 0xC0000}));

  // Another row cannot take it: its message names this grid.
  GridRowModel& other = harness.row(0);
  other.recorder().click();
  harness.platform.keyEventMonitor.type(18, ModifierFlag::control | ModifierFlag::option);
  EXPECT_EQ(other.message(), "Already used by “8-way Split (4×2)”.");
  EXPECT_EQ(row.message(), std::nullopt);
  EXPECT_EQ(harness.store->layouts()[0].shortcut, std::nullopt);
}

TEST(GridSettingsModelTest, RemovingARowThatIsRecordingTakesItsMonitorAway) {
  GridSettingsHarness harness;
  harness.row(2).recorder().click();
  EXPECT_EQ(harness.platform.keyEventMonitor.monitorCount(), 1u);
  harness.row(2).remove();
  EXPECT_EQ(harness.page->rows().size(), 3u);
  EXPECT_EQ(harness.platform.keyEventMonitor.monitorCount(), 0u);
  // A key typed afterwards reaches no recorder and changes nothing.
  EXPECT_TRUE(harness.platform.keyEventMonitor.type(18, ModifierFlag::control));
  for (const GridLayout& layout : harness.store->layouts())
    EXPECT_EQ(layout.shortcut, std::nullopt);
}

}  // namespace
}  // namespace corvella
