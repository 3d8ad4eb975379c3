// The smaller simulated ports: layout, defaults, login item, updater,
// localizer, key monitors, application and settings-window UI, log folder,
// screens and workspace.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"

namespace corvella::sim {
namespace {

using ::testing::ElementsAre;

class SimServicesTest : public ::testing::Test {
 protected:
  SimPlatform platform;
};

TEST_F(SimServicesTest, UsLayoutNamesCharacterKeysOnly) {
  struct Row {
    std::uint16_t keyCode;
    std::optional<std::string> text;
  };
  const std::vector<Row> rows = {
      {0, "a"},
      {1, "s"},
      {6, "z"},
      {11, "b"},
      {12, "q"},
      {16, "y"},
      {17, "t"},
      {18, "1"},
      {22, "6"},
      {23, "5"},
      {24, "="},
      {27, "-"},
      {29, "0"},
      {30, "]"},
      {33, "["},
      {39, "'"},
      {41, ";"},
      {42, "\\"},
      {43, ","},
      {44, "/"},
      {46, "m"},
      {47, "."},
      {50, "`"},
      {36, "\r"},
      {48, "\t"},
      {49, " "},
      {123, std::nullopt},
      {126, std::nullopt},
      {122, std::nullopt},
      {53, std::nullopt},
      {51, std::nullopt},
      {56, std::nullopt},
      {200, std::nullopt},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(platform.keyboardLayout.translateKey(row.keyCode), row.text) << row.keyCode;
  }

  platform.keyboardLayout.overrideKey(6, "y");
  platform.keyboardLayout.overrideKey(0, std::nullopt);
  EXPECT_EQ(platform.keyboardLayout.translateKey(6), "y");
  EXPECT_EQ(platform.keyboardLayout.translateKey(0), std::nullopt);

  platform.keyboardLayout.setLayout(SimKeyboardLayout::Layout::none);
  EXPECT_EQ(platform.keyboardLayout.translateKey(3), std::nullopt);
  EXPECT_EQ(platform.keyboardLayout.translateKey(6), std::nullopt);
}

TEST_F(SimServicesTest, DefaultsGiveOnlyValuesOfTheAskedKind) {
  SimDefaults& defaults = platform.defaults;
  defaults.seed("gridLayouts", std::string("[]"));
  defaults.seed("settingsTab", Bytes{0x67});
  defaults.seed("number", 3.0);
  EXPECT_FALSE(defaults.data("gridLayouts"));
  EXPECT_FALSE(defaults.string("settingsTab"));
  EXPECT_FALSE(defaults.data("number"));
  EXPECT_FALSE(defaults.string("number"));
  EXPECT_FALSE(defaults.data("missing"));
  EXPECT_EQ(defaults.writeCount(), 0u);

  defaults.setData("gridLayouts", Bytes{'[', ']'});
  defaults.setString("settingsTab", "grids");
  EXPECT_EQ(defaults.data("gridLayouts"), (Bytes{'[', ']'}));
  EXPECT_EQ(defaults.dataText("gridLayouts"), "[]");
  EXPECT_EQ(defaults.string("settingsTab"), "grids");
  EXPECT_EQ(defaults.writeCount(), 2u);

  defaults.seedData("gridLayouts", "{\"x\":1}");
  EXPECT_EQ(defaults.dataText("gridLayouts"), "{\"x\":1}");
  defaults.remove("gridLayouts");
  EXPECT_FALSE(defaults.value("gridLayouts"));
}

TEST_F(SimServicesTest, LoginItemChangesOnlyOnSuccess) {
  SimLoginItem& item = platform.loginItem;
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
  EXPECT_EQ(item.registerApp(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::enabled);

  item.setUnregisterError("Operation not permitted");
  EXPECT_EQ(item.unregisterApp(), "Operation not permitted");
  EXPECT_EQ(item.status(), LoginItemStatus::enabled);
  item.setUnregisterError(std::nullopt);
  EXPECT_EQ(item.unregisterApp(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);

  item.setStatus(LoginItemStatus::requiresApproval);
  item.setRegisterError("Invalid signature");
  EXPECT_EQ(item.registerApp(), "Invalid signature");
  EXPECT_EQ(item.status(), LoginItemStatus::requiresApproval);
  EXPECT_EQ(item.registerCount(), 2u);
}

TEST_F(SimServicesTest, UpdaterNeedsItsFramework) {
  SimUpdater& updater = platform.updater;
  EXPECT_FALSE(updater.bundleInfoString("SUFeedURL"));
  updater.setBundleInfoString("SUFeedURL", "https://example.org/feed.xml");
  EXPECT_EQ(updater.bundleInfoString("SUFeedURL"), "https://example.org/feed.xml");

  auto controller = updater.makeStartedController();
  ASSERT_TRUE(controller);
  controller->checkForUpdates();
  controller->checkForUpdates();
  EXPECT_EQ(updater.controllersStarted(), 1u);
  EXPECT_EQ(updater.updateChecks(), 2u);

  updater.setFrameworkPresent(false);
  EXPECT_FALSE(updater.makeStartedController());
  EXPECT_EQ(updater.controllersStarted(), 1u);
}

TEST_F(SimServicesTest, LocalizerFallsBackToTheEnglishText) {
  platform.localizer.setTranslation("Quit", "Beenden");
  EXPECT_EQ(platform.localizer.localized("Quit"), "Beenden");
  EXPECT_EQ(platform.localizer.localized("Settings…"), "Settings…");
}

TEST_F(SimServicesTest, KeyMonitorsSeeKeysInInstallOrderUntilOneSwallows) {
  SimKeyEventMonitor& monitor = platform.keyEventMonitor;
  std::vector<std::string> seen;
  auto first = monitor.addKeyDownMonitor([&](const KeyEvent& event) {
    seen.push_back("first " + std::to_string(event.keyCode) + " " +
                   std::to_string(event.modifierFlags));
    return event.keyCode != 53;
  });
  auto second = monitor.addKeyDownMonitor([&](const KeyEvent&) {
    seen.push_back("second");
    return true;
  });
  ASSERT_TRUE(first && second);

  EXPECT_TRUE(monitor.type(0, 0x100000));
  EXPECT_FALSE(monitor.type(53));
  EXPECT_THAT(seen, ElementsAre("first 0 1048576", "second", "first 53 0"));

  monitor.removeMonitor(*first);
  seen.clear();
  EXPECT_TRUE(monitor.type(53));
  EXPECT_THAT(seen, ElementsAre("second"));

  monitor.setRefusesMonitors(true);
  EXPECT_FALSE(monitor.addKeyDownMonitor([](const KeyEvent&) { return true; }));
  EXPECT_EQ(monitor.monitorCount(), 1u);
}

TEST_F(SimServicesTest, AMonitorRemovedDuringDeliveryIsSkipped) {
  SimKeyEventMonitor& monitor = platform.keyEventMonitor;
  MonitorHandle later = 0;
  int laterCalls = 0;
  auto self = std::make_shared<MonitorHandle>(0);
  *self = *monitor.addKeyDownMonitor([&](const KeyEvent&) {
    monitor.removeMonitor(*self);
    monitor.removeMonitor(later);
    return true;
  });
  later = *monitor.addKeyDownMonitor([&](const KeyEvent&) {
    ++laterCalls;
    return true;
  });
  EXPECT_TRUE(monitor.type(1));
  EXPECT_EQ(laterCalls, 0);
  EXPECT_EQ(monitor.monitorCount(), 0u);
}

TEST_F(SimServicesTest, ApplicationUIRecordsWhatItIsAskedToShow) {
  SimApplicationUI& ui = platform.applicationUI;
  EXPECT_FALSE(ui.activationPolicy());
  ui.setActivationPolicy(ActivationPolicy::accessory);
  ui.createStatusItem("rectangle.split.3x1", "Corvella");
  ui.setActivationPolicy(ActivationPolicy::regular);
  ui.activate();
  EXPECT_EQ(ui.activationPolicy(), ActivationPolicy::regular);
  EXPECT_THAT(ui.policyChanges(),
              ElementsAre(ActivationPolicy::accessory, ActivationPolicy::regular));
  EXPECT_THAT(ui.statusItems(), ElementsAre(SimStatusItem{"rectangle.split.3x1", "Corvella"}));
  EXPECT_EQ(ui.activateCount(), 1u);
  EXPECT_THAT(platform.desktop.callTexts({SimPort::applicationUI}),
              ElementsAre("setActivationPolicy accessory",
                          "createStatusItem rectangle.split.3x1 \"Corvella\"",
                          "setActivationPolicy regular", "activate"));
}

TEST_F(SimServicesTest, ClosingTheSettingsWindowCallsWillClose) {
  SimSettingsWindowUI& ui = platform.settingsWindowUI;
  EXPECT_FALSE(ui.close()) << "no window yet";
  int willClose = 0;
  ui.createWindow("Corvella Settings", 3, [&] {
    EXPECT_TRUE(ui.isVisible()) << "runs before the window goes";
    ++willClose;
  });
  EXPECT_FALSE(ui.isVisible());
  ui.makeKeyAndOrderFront();
  ui.orderFrontRegardless();
  EXPECT_TRUE(ui.isVisible());
  EXPECT_TRUE(ui.close());
  EXPECT_FALSE(ui.isVisible());
  EXPECT_FALSE(ui.close());
  EXPECT_EQ(willClose, 1);

  ui.makeKeyAndOrderFront();  // reopened, not created again
  EXPECT_TRUE(ui.close());
  EXPECT_EQ(willClose, 2);
  ASSERT_EQ(ui.windows().size(), 1u);
  EXPECT_EQ(ui.windows()[0].title, "Corvella Settings");
  EXPECT_EQ(ui.windows()[0].styleMask, 3u);
  EXPECT_EQ(ui.makeKeyAndOrderFrontCount(), 2u);
  EXPECT_EQ(ui.orderFrontRegardlessCount(), 1u);
}

class SimLogLocationTest : public ::testing::Test {
 protected:
  SimLogLocationTest() {
    char pattern[] = "/tmp/corvella-sim-XXXXXX";
    root = mkdtemp(pattern);
  }
  ~SimLogLocationTest() override { std::filesystem::remove_all(root); }

  std::filesystem::path root;
};

TEST_F(SimLogLocationTest, CreatesThePrivateFolderWithItsParents) {
  SimPlatform platform(root / "state" / "Corvella");
  auto folder = platform.logLocation.logsFolder();
  ASSERT_EQ(folder, root / "state" / "Corvella");
  EXPECT_FALSE(std::filesystem::exists(*folder)) << "not created before it is asked for";
  platform.logLocation.createFolder(*folder);
  ASSERT_TRUE(std::filesystem::is_directory(*folder));
  struct stat info {};
  ASSERT_EQ(stat(folder->c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  platform.logLocation.createFolder(*folder);  // again: no harm
  EXPECT_EQ(platform.logLocation.createRequests().size(), 2u);
}

TEST_F(SimLogLocationTest, CanFailOrGiveNoFolder) {
  SimPlatform platform(root / "Logs");
  platform.logLocation.setCreateFails(true);
  platform.logLocation.createFolder(root / "Logs");
  EXPECT_FALSE(std::filesystem::exists(root / "Logs"));

  platform.logLocation.setFolder(std::nullopt);
  EXPECT_FALSE(platform.logLocation.logsFolder());
  EXPECT_FALSE(SimPlatform().logLocation.logsFolder());
}

TEST_F(SimServicesTest, ScreenArrangementsLeaveOutTheMenuBar) {
  EXPECT_EQ(platform.screens.screens(),
            (std::vector<PlatformScreen>{{{0, 0, 1440, 900}, {0, 0, 1440, 875}}}));
  struct Row {
    const char* name;
    std::vector<PlatformScreen> screens;
    PlatformScreen second;
  };
  const std::vector<Row> rows = {
      {"side by side", sideBySideScreens(), {{1440, 0, 1920, 1080}, {1440, 0, 1920, 1055}}},
      {"left", secondScreenOnTheLeft(), {{-1920, 0, 1920, 1080}, {-1920, 0, 1920, 1055}}},
      {"stacked", stackedScreens(), {{0, 900, 1920, 1080}, {0, 900, 1920, 1055}}},
      {"below left",
       secondScreenBelowLeft(),
       {{-200, -1024, 1280, 1024}, {-200, -1024, 1280, 999}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    platform.desktop.setScreens(row.screens);
    ASSERT_EQ(platform.screens.screens().size(), 2u);
    EXPECT_EQ(platform.screens.screens()[0], singleScreen()[0]);
    EXPECT_EQ(platform.screens.screens()[1], row.second);
  }
}

TEST_F(SimServicesTest, WorkspaceGivesTheFrontmostApplicationAndRecordsLinks) {
  SimDesktop& desktop = platform.desktop;
  EXPECT_FALSE(platform.workspace.frontmostApplication());
  desktop.addApplication(7, "메모");
  desktop.addApplication(8);
  desktop.setFrontmostApplication(7);
  EXPECT_EQ(platform.workspace.frontmostApplication(), (RunningApplication{7, "메모"}));
  desktop.setFrontmostApplication(8);
  EXPECT_EQ(platform.workspace.frontmostApplication(), (RunningApplication{8, std::nullopt}));

  platform.workspace.openURL("x-apple.systempreferences:privacy");
  platform.workspace.openAccessibilitySettings();
  platform.sound.beep();
  EXPECT_THAT(desktop.openedURLs(), ElementsAre("x-apple.systempreferences:privacy"));
  EXPECT_EQ(desktop.accessibilitySettingsOpened(), 1);
  EXPECT_EQ(desktop.beeps(), 1);
  EXPECT_THAT(desktop.callTexts({SimPort::workspace, SimPort::sound}),
              ElementsAre("frontmostApplication", "frontmostApplication", "frontmostApplication",
                          "openURL x-apple.systempreferences:privacy", "openAccessibilitySettings",
                          "beep"));
}

TEST_F(SimServicesTest, ServicesHandOutThePlatformsOwnPorts) {
  PlatformServices services = platform.services();
  EXPECT_EQ(&services.accessibility, &platform.accessibility);
  EXPECT_EQ(&services.mainQueue, &platform.mainQueue);
  EXPECT_EQ(&services.settingsWindowUI, &platform.settingsWindowUI);
  EXPECT_EQ(&services.keyEventMonitor, &platform.keyEventMonitor);
  EXPECT_EQ(&services.logLocation, &platform.logLocation);
}

}  // namespace
}  // namespace corvella::sim
