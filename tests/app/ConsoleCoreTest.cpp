#include <gtest/gtest.h>

#include <filesystem>

#include "app/ConsoleCore.h"
#include "support/RecordingLink.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const fs::path kShipped = fs::path(QV_SOURCE_DIR) / "lang";

struct ConsoleRun {
  explicit ConsoleRun(const fs::path& programDir)
      : link(new test::RecordingLink),
        core(model, std::unique_ptr<CommLink>(link),
             SettingsLocation(programDir, true, SettingsLocation::Environment{}), window) {}
  DeviceModel model;
  test::RecordingLink* link;  // owned by the core
  test::RecordingSink window;
  ConsoleCore core;
};

TEST(ConsoleCore, StartsInTheSystemLanguageWhateverWasSaved) {
  test::TempDir dir;
  InfoSettings(dir.path() / "Info.ini").SetLanguage("English");
  ConsoleRun run(dir.path());
  run.core.Start("zh_CN", kShipped);
  EXPECT_EQ(run.core.languages().Name(), "Chinese");
  EXPECT_EQ(run.core.settings().Language(), "Chinese");
  EXPECT_EQ(run.core.strings().Get(38), "提示");
  EXPECT_TRUE(fs::exists(dir.path() / "Language" / "English.ini"));  // installed on first run
  EXPECT_EQ(run.link->registrationOrder.size(), 32u);

  run.core.SelectLanguage("English");
  EXPECT_EQ(run.core.strings().Get(38), "Tips");
  EXPECT_EQ(run.model.ResoPresets.back().text, "Customized  Resolution");
}

TEST(ConsoleCore, ShutdownStopsTheLinkThenSavesTheProject) {
  test::TempDir dir;
  std::string project;
  {
    ConsoleRun run(dir.path());
    run.core.Start("en_US", kShipped);
    project = run.core.project().ProjectPath();
    run.model.rec.HReso = 1280;
    EXPECT_EQ(run.core.Shutdown(), "");
    EXPECT_TRUE(run.link->shutDown);
    EXPECT_EQ(run.core.Shutdown(), "");  // a second close changes nothing
  }
  EXPECT_TRUE(fs::exists(project));
  EXPECT_EQ(InfoSettings(dir.path() / "Info.ini").ProjectPath(), project);
  ConsoleRun next(dir.path());
  next.core.Start("en_US", kShipped);
  EXPECT_EQ(next.model.rec.HReso, 1280);
  EXPECT_EQ(next.window.events, (std::vector<std::pair<int, int>>{{2, 0}}));  // pages refresh
}

}  // namespace
}  // namespace qv
