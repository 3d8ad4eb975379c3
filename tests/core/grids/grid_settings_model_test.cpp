// The grid settings tab: texts, rows with titles, steppers and previews, and
// the buttons, each edit going through the store.
#include "core/grids/grid_settings_model.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "../app/app_test_harness.h"
#include "core/grids/grid_preview.h"
#include "uuid_printer.h"

namespace corvella {
namespace {

using Strings = std::vector<std::string>;
constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();

// The tab over the store of the application's services, loaded from the
// given stored document (none: the built-in four).
struct GridPage : testing_support::AppHarness {
  explicit GridPage(const std::string& storedDocument = "") {
    if (!storedDocument.empty()) platform.defaults.seedData("gridLayouts", storedDocument);
    store().onChange = [this] { ++changes; };
    page.emplace(GridSettingsDependencies{.store = store(),
                                          .localizer = platform.localizer,
                                          .log = services.log(),
                                          .monitor = platform.keyEventMonitor,
                                          .keyboardLayout = platform.keyboardLayout},
                 [this](bool paused) { pauses.push_back(paused); });
  }
  GridLayoutStore& store() { return services.gridLayoutStore(); }
  GridRowModel& row(std::size_t index) { return *page->rows().at(index); }

  std::optional<GridSettingsModel> page;
  int changes = 0;           // onChange calls
  std::vector<bool> pauses;  // setHotKeysPaused calls
};

// A stored document of one layout with these columns and 2 rows.
std::string oneLayout(const std::string& columns) {
  return "[{\"id\":\"00000000-0000-0000-0000-000000000001\",\"columns\":" + columns +
         ",\"rows\":2}]";
}

TEST(GridSettingsModelTest, OneRowPerLayoutWithLocalizedTitleAndStepperLabels) {
  GridPage tab;
  tab.platform.localizer.setTranslation("Add Grid", "격자 추가");
  tab.platform.localizer.setTranslation("Rows %lld", "행 %lld");
  const GridSettingsTexts texts = tab.page->texts();
  EXPECT_EQ(Strings({texts.title, texts.explanation, texts.addButton, texts.restoreButton,
                     texts.removeHelp}),
            (Strings{"App Window Grids",
                     "Windows of the front app fill cells from the top left. Extra windows stay "
                     "where they are.",
                     "격자 추가", "Restore Defaults", "Remove"}));

  const Strings expected[] = {{"6-way Split", "Columns 3", "행 2"},
                              {"8-way Split", "Columns 4", "행 2"},
                              {"12-way Split", "Columns 4", "행 3"},
                              {"24-way Split", "Columns 6", "행 4"}};
  ASSERT_EQ(tab.page->rows().size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    GridRowModel& row = tab.row(i);
    EXPECT_EQ(row.id(), tab.store().layouts()[i].id);
    EXPECT_EQ(Strings({row.shortTitle(), row.columnsStepper().label, row.rowsStepper().label}),
              expected[i]);
    EXPECT_EQ(row.message(), std::nullopt);
  }
}

TEST(GridSettingsModelTest, EachStepWritesTheLayoutAndSavesAtOnce) {
  GridPage tab;
  GridRowModel& first = tab.row(0);
  first.incrementColumns();
  EXPECT_EQ(first.shortTitle(), "8-way Split");
  EXPECT_EQ(tab.changes, 1);
  EXPECT_EQ(decodeGridLayouts(*tab.platform.defaults.dataText("gridLayouts")),
            tab.store().layouts());

  first.decrementRows();
  first.incrementRows();
  first.incrementRows();
  EXPECT_EQ(tab.store().layouts()[0].columns, 4);
  EXPECT_EQ(tab.store().layouts()[0].rows, 3);
  EXPECT_EQ(tab.store().layouts()[1].columns, 4);  // other rows untouched
  EXPECT_EQ(tab.changes, 4);                       // one change sequence per click
  EXPECT_EQ(tab.platform.defaults.writeCount(), 4u);
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
    GridPage tab(oneLayout(c.stored));
    const GridStepperState state = tab.row(0).columnsStepper();
    EXPECT_EQ(state.label, "Columns " + c.stored);
    EXPECT_EQ(state.canIncrement, c.canIncrement);
    EXPECT_EQ(state.canDecrement, c.canDecrement);

    tab.row(0).incrementColumns();
    EXPECT_EQ(tab.store().layouts()[0].columns, c.afterIncrement);
    EXPECT_EQ(tab.changes, c.canIncrement ? 1 : 0);  // a disabled step writes nothing
    GridPage again(oneLayout(c.stored));
    again.row(0).decrementColumns();
    EXPECT_EQ(again.store().layouts()[0].columns, c.afterDecrement);
    EXPECT_EQ(again.platform.defaults.writeCount(), c.canDecrement ? 1u : 0u);
  }
}

TEST(GridSettingsModelTest, PreviewOfThreeByTwoOnTheRowCanvas) {
  GridPage tab;
  const std::vector<Rect> cells =
      tab.row(0).previewCells(GridPreviewStyle::canvasWidth, GridPreviewStyle::canvasHeight);
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

TEST(GridSettingsModelTest, RemoveLogsTheShapeAsStoredThenRemovesTheLayout) {
  GridPage tab;
  const UUID removed = tab.row(0).id();
  GridRowModel* second = &tab.row(1);
  tab.row(0).remove();
  EXPECT_EQ(tab.store().layoutWithID(removed), std::nullopt);
  EXPECT_EQ(tab.changes, 1);
  ASSERT_EQ(tab.page->rows().size(), 3u);
  EXPECT_EQ(&tab.row(0), second);  // the rows left keep their state

  GridPage handEdited(
      "[{\"id\":\"00000000-0000-0000-0000-000000000001\",\"columns\":-3,"
      "\"rows\":0}]");
  EXPECT_EQ(handEdited.row(0).shortTitle(), "0-way Split");
  handEdited.row(0).remove();
  EXPECT_TRUE(handEdited.page->rows().empty());

  EXPECT_EQ(tab.logMessages(), Strings{"설정: 격자 삭제 3×2"});
  EXPECT_EQ(handEdited.logMessages(), Strings{"설정: 격자 삭제 -3×0"});
}

TEST(GridSettingsModelTest, AddAndRestoreGoThroughTheStoreWithoutLogging) {
  GridPage tab("[]");
  EXPECT_TRUE(tab.page->rows().empty());
  tab.page->addGrid();
  ASSERT_EQ(tab.page->rows().size(), 1u);
  EXPECT_EQ(tab.row(0).shortTitle(), "4-way Split");
  tab.page->restoreDefaults();
  EXPECT_EQ(tab.store().layouts(), tab.store().defaultLayouts());
  EXPECT_EQ(tab.page->rows().size(), 4u);
  EXPECT_EQ(tab.changes, 2);
  EXPECT_TRUE(tab.logMessages().empty());
}

TEST(GridSettingsModelTest, RowsFollowTheirLayoutsThroughDuplicateIds) {
  // Two layouts share an id in a hand-edited document: each row edits its own.
  GridPage tab(
      "[{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":3,\"rows\":2},"
      "{\"id\":\"00000000-0000-0000-0000-00000000000A\",\"columns\":5,\"rows\":5}]");
  tab.row(1).incrementColumns();
  EXPECT_EQ(tab.store().layouts()[0].columns, 3);
  EXPECT_EQ(tab.store().layouts()[1].columns, 6);
  EXPECT_EQ(tab.row(1).shortTitle(), "30-way Split");
}

TEST(GridSettingsModelTest, ARowsRecorderPausesRecordsIntoItsLayoutAndReportsUnderTheRow) {
  GridPage tab;
  GridRowModel& row = tab.row(1);
  row.recorder().click();
  tab.platform.keyEventMonitor.type(0, ModifierFlag::shift);  // shift-A
  EXPECT_EQ(row.message(), "Use with at least one of ⌘, ⌥ or ⌃.");
  tab.platform.keyEventMonitor.type(18, ModifierFlag::control | ModifierFlag::option);
  EXPECT_EQ(row.message(), std::nullopt);
  EXPECT_EQ(tab.store().layouts()[1].shortcut, (Shortcut{.keyCode = 18, .modifiers = 0xC0000}));
  EXPECT_EQ(tab.pauses, (std::vector<bool>{true, false}));
  EXPECT_EQ(decodeGridLayouts(*tab.platform.defaults.dataText("gridLayouts")),
            tab.store().layouts());
}

TEST(GridSettingsModelTest, RemovingARowThatIsRecordingTakesItsMonitorAway) {
  GridPage tab;
  tab.row(2).recorder().click();
  tab.row(2).remove();
  EXPECT_EQ(tab.page->rows().size(), 3u);
  EXPECT_EQ(tab.platform.keyEventMonitor.monitorCount(), 0u);
  EXPECT_TRUE(tab.platform.keyEventMonitor.type(18, ModifierFlag::control));  // passed on
}

}  // namespace
}  // namespace corvella
