// The grid tab, clicked and typed at with Qt Test: every edit goes straight
// into the store (saved, hot keys registered again), the recorder takes keys
// through the desktop's key capture, refuses with the specified captions,
// and the page follows the store.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "desktop_harness.h"
#include "platform/xdg/xdg_defaults_file.h"
#include "tests/support/temporary_folder.h"

namespace corvella {
namespace {

using testing_support::DesktopHarness;

constexpr const char* idA = "0B9C6A52-7E4D-4F8B-9A1C-2D3E4F5A6B7C";
constexpr const char* idB = "1C2D3E4F-5A6B-4C7D-8E9F-0A1B2C3D4E5F";
constexpr const char* idC = "2D3E4F5A-6B7C-4D8E-9FA0-B1C2D3E4F5A6";

// Three layouts: A 3×2, B 12×1 with ⌃⌥1 (key code 18), C 1×12.
const std::string storedLayouts =
    std::string("[{\"id\":\"") + idA + "\",\"columns\":3,\"rows\":2},{\"id\":\"" + idB +
    "\",\"columns\":12,\"rows\":1,\"shortcut\":{\"keyCode\":18,\"modifiers\":786432}},"
    "{\"id\":\"" +
    idC + "\",\"columns\":1,\"rows\":12}]";

class GridSettingsPageTest : public testing::Test, protected DesktopHarness {
 protected:
  GridSettingsPageTest() : DesktopHarness(nullptr) {}
  void SetUp() override {
    platform.defaults.seedData("gridLayouts", storedLayouts);
    delegate().applicationDidFinishLaunching();
  }
  qt::GridRowWidget& row(std::size_t index) { return *page().rowWidgets().at(index); }
  qt::GridSettingsPage& page() {
    if (!page_) page_ = &openGridPage();
    return *page_;
  }
  QWidget& window() { return *desktop.settingsWindowUI().window(); }
  std::string savedLayouts() { return platform.defaults.dataText("gridLayouts").value_or(""); }
  std::size_t registeredHotKeys() { return platform.hotKeyService.registrations().size(); }

 private:
  qt::GridSettingsPage* page_ = nullptr;
};

TEST_F(GridSettingsPageTest, EachStepperClickSavesTheLayoutAndRegistersTheHotKeysAgain) {
  const std::size_t registrationsBefore = platform.hotKeyService.registerCallCount();
  QTest::mouseClick(&row(0).columns().upButton(), Qt::LeftButton);
  settle();

  EXPECT_EQ(store().layouts()[0].columns, 4);
  EXPECT_EQ(row(0).title().text(), "8-way Split");
  EXPECT_EQ(row(0).columns().findChild<QLabel*>("label")->text(), "Columns 4");
  // The stored document's shape is the store's (pinned there).
  EXPECT_NE(savedLayouts().find(std::string(idA) + R"(","columns":4,"rows":2})"),
            std::string::npos);
  // Twenty actions and B's grid, once for the click.
  EXPECT_EQ(platform.hotKeyService.registerCallCount() - registrationsBefore, 21u);
}

TEST_F(GridSettingsPageTest, SteppersStopAtOneAndTwelve) {
  // B has twelve columns, C twelve rows and one column.
  EXPECT_FALSE(row(1).columns().upButton().isEnabled());
  EXPECT_TRUE(row(1).columns().downButton().isEnabled());
  EXPECT_FALSE(row(2).rows().upButton().isEnabled());
  EXPECT_FALSE(row(2).columns().downButton().isEnabled());
  const std::size_t writes = platform.defaults.writeCount();
  QTest::mouseClick(&row(1).columns().upButton(), Qt::LeftButton);
  QTest::mouseClick(&row(2).rows().upButton(), Qt::LeftButton);
  settle();
  EXPECT_EQ(platform.defaults.writeCount(), writes) << "a disabled step writes nothing";
  EXPECT_EQ(store().layouts()[1].columns, 12);
}

TEST_F(GridSettingsPageTest, RecorderTakesTheWindowsOwnKeysWhileTheHotKeysArePaused) {
  QTest::mouseClick(&row(0).recorder(), Qt::LeftButton);
  settle();
  EXPECT_EQ(row(0).recorder().text(), "Press keys…");
  EXPECT_EQ(registeredHotKeys(), 0u) << "paused while recording";
  EXPECT_TRUE(desktop.keyEventMonitor().isGrabbing()) << "the keyboard goes to the window";
  // Hiding the window lets go of the keyboard; the recording goes on (the
  // hot keys stay paused) and takes the keyboard again when shown.
  window().hide();
  EXPECT_FALSE(desktop.keyEventMonitor().isGrabbing());
  EXPECT_EQ(registeredHotKeys(), 0u);
  window().show();
  EXPECT_TRUE(desktop.keyEventMonitor().isGrabbing());

  // Ctrl+W closes the window, but not while recording: it is recorded.
  QTest::keyClick(&window(), Qt::Key_W, Qt::ControlModifier);
  settle();
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(store().layouts()[0].shortcut, (Shortcut{13, 0x40000}));
  EXPECT_EQ(row(0).recorder().text(), "⌃W");
  EXPECT_FALSE(desktop.keyEventMonitor().isGrabbing());
  EXPECT_EQ(registeredHotKeys(), 22u) << "twenty actions and two grids, resumed";
  EXPECT_NE(savedLayouts().find(R"("shortcut":{"keyCode":13,"modifiers":262144})"),
            std::string::npos);
}

TEST_F(GridSettingsPageTest, RefusedCombinationsShowTheirCaptionAndKeepRecording) {
  QTest::mouseClick(&row(0).recorder(), Qt::LeftButton);
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* caption;
  };
  // The captions are the recorder's (pinned there); here: how they show.
  const Case cases[] = {
      {Qt::Key_A, Qt::ShiftModifier, "Use with at least one of ⌘, ⌥ or ⌃."},
      {Qt::Key_1, Qt::ControlModifier | Qt::AltModifier, "Already used by “12-way Split (12×1)”."},
  };
  for (const Case& c : cases) {
    QTest::keyClick(&window(), c.key, c.modifiers);
    settle();
    EXPECT_EQ(row(0).message().text(), c.caption);
    EXPECT_TRUE(row(0).message().isVisible()) << c.caption;
    EXPECT_EQ(row(0).recorder().text(), "Press keys…");
  }
  const QColor caption = row(0).message().palette().color(QPalette::WindowText);
  EXPECT_TRUE(caption.red() > 150 && caption.green() < 80 && caption.blue() < 80) << "red";
  EXPECT_TRUE(row(0).message().alignment() & Qt::AlignRight);
  EXPECT_FALSE(row(1).message().isVisible()) << "only the recording row";

  QTest::keyClick(&window(), Qt::Key_Escape, Qt::ControlModifier);
  settle();
  EXPECT_FALSE(row(0).message().isVisible());
  EXPECT_EQ(row(0).recorder().text(), "Record Shortcut");
  EXPECT_EQ(store().layouts()[0].shortcut, std::nullopt);
  EXPECT_EQ(registeredHotKeys(), 21u);
}

TEST_F(GridSettingsPageTest, BackspaceOrDeleteAloneClearsTheShortcut) {
  for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete}) {
    std::vector<GridLayout> layouts = store().layouts();
    layouts[1].shortcut = Shortcut{18, 0xC0000};
    store().setLayouts(layouts);
    settle();
    EXPECT_EQ(row(1).recorder().text(), "⌃⌥1");
    QTest::mouseClick(&row(1).recorder(), Qt::LeftButton);
    QTest::keyClick(&window(), key);
    settle();
    EXPECT_EQ(store().layouts()[1].shortcut, std::nullopt) << key;
    EXPECT_EQ(row(1).recorder().text(), "Record Shortcut");
    EXPECT_FALSE(desktop.keyEventMonitor().isGrabbing());
  }
}

TEST_F(GridSettingsPageTest, RemoveLogsItsLineAndTheRowGoes) {
  page();
  const std::size_t linesBefore = logMessages().size();
  QTest::mouseClick(&row(0).remove(), Qt::LeftButton);
  settle();
  const auto lines = logMessages();
  ASSERT_EQ(lines.size(), linesBefore + 1);
  EXPECT_EQ(lines.back(), "설정: 격자 삭제 3×2");
  ASSERT_EQ(page().rowWidgets().size(), 2u);
  EXPECT_EQ(row(0).title().text(), "12-way Split");
  EXPECT_EQ(store().layouts().size(), 2u);
  EXPECT_EQ(savedLayouts().find(idA), std::string::npos);
}

TEST_F(GridSettingsPageTest, RestoreGivesTheFourBuiltInLayoutsAndAddAppendsTwoByTwo) {
  // Which four is the store's (pinned there); here: the page follows.
  QTest::mouseClick(&page().restoreButton(), Qt::LeftButton);
  settle();
  ASSERT_EQ(page().rowWidgets().size(), 4u);
  EXPECT_EQ(row(3).title().text(), "24-way Split");
  EXPECT_EQ(row(0).recorder().text(), "Record Shortcut");
  EXPECT_EQ(registeredHotKeys(), 20u) << "the grid shortcut went with the old list";

  QTest::mouseClick(&page().addButton(), Qt::LeftButton);
  settle();
  ASSERT_EQ(page().rowWidgets().size(), 5u);
  EXPECT_EQ(row(4).title().text(), "4-way Split");
  EXPECT_EQ(row(4).columns().findChild<QLabel*>("label")->text(), "Columns 2");
}

// Root writes anywhere: this runs as nobody, so that a folder's mode stops it.
// It changes the process for good and so comes last.
TEST(UnwritableDefaults, TheEditStaysOnShowWithALogLineAndTheFileIsKept) {
  if (::geteuid() == 0) {
    constexpr uid_t nobody = 65534;
    ASSERT_EQ(::setresgid(nobody, nobody, nobody), 0);
    ASSERT_EQ(::setresuid(nobody, nobody, nobody), 0);
  }
  testing_support::TemporaryFolder config;
  const std::filesystem::path file = config.path() / "defaults.json";
  const std::string stored = "{\"gridLayouts\": {\"data\": \"[{\\\"id\\\":\\\"" + std::string(idA) +
                             "\\\",\\\"columns\\\":3,\\\"rows\\\":2}]\"}}\n";
  std::ofstream(file) << stored;
  ::chmod(config.path().c_str(), 0500);

  std::unique_ptr<DesktopHarness> harness;
  xdg::XdgDefaultsFile defaults(file, [&harness](const std::string& message) {
    if (harness) harness->app.services().log().log(message);
  });
  harness = std::make_unique<DesktopHarness>(&defaults);
  harness->delegate().applicationDidFinishLaunching();
  qt::GridSettingsPage& page = harness->openGridPage();

  QTest::mouseClick(&page.rowWidgets().at(0)->columns().upButton(), Qt::LeftButton);
  DesktopHarness::settle();

  EXPECT_EQ(page.rowWidgets().at(0)->title().text(), "8-way Split");
  EXPECT_EQ(harness->store().layouts()[0].columns, 4);
  const auto lines = harness->logMessages();
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back().starts_with("설정 저장 실패: cannot create a temporary file next to " +
                                       file.string() + ": Permission denied"))
      << lines.back();
  EXPECT_EQ(config.read("defaults.json"), stored);
  harness.reset();
  ::chmod(config.path().c_str(), 0700);
}

}  // namespace
}  // namespace corvella
