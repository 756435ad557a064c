#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "base/IniFile.h"
#include "project/ProjectFile.h"
#include "project/ProjectSession.h"
#include "support/FileBytes.h"
#include "support/LinkHarness.h"
#include "support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// One console run: a fresh model and link, with the data folder kept between runs.
struct ConsoleRun : test::LinkHarness {
  explicit ConsoleRun(const fs::path& dataDir)
      : settings(dataDir / "Info.ini"), session(model, encoder, dispatcher, settings, dataDir) {}
  InfoSettings settings;
  ProjectSession session;
};

TEST(ProjectSession, FirstStartUsesADatedProjectThatCloseCreates) {
  test::TempDir dir;
  const std::string today = ProjectFile::TodayText();
  const fs::path expected = dir.path() / "Project" / today / (today + ".pro");
  {
    ConsoleRun run(dir.path());
    run.session.Start();
    EXPECT_EQ(run.session.ProjectPath(), expected.string());
    EXPECT_TRUE(fs::is_directory(expected.parent_path()));
    EXPECT_FALSE(fs::exists(expected));
    EXPECT_TRUE(run.sink.events.empty());  // nothing loaded
    run.model.rec.HReso = 1920;
    EXPECT_EQ(run.session.Close(), "");
  }
  EXPECT_TRUE(fs::exists(expected));
  ConsoleRun next(dir.path());
  next.session.Start();
  EXPECT_EQ(next.session.ProjectPath(), expected.string());
  EXPECT_EQ(next.model.rec.HReso, 1920);
}

TEST(ProjectSession, SaveAsKeepsTheCurrentProjectOpenReplacesIt) {
  test::TempDir dir;
  const fs::path other = dir.path() / "other.pro";
  std::string first;
  {
    ConsoleRun run(dir.path());
    run.session.Start();
    first = run.session.ProjectPath();
    run.model.rec.HReso = 1280;
    EXPECT_EQ(run.session.Save(other.string()), "");
    run.model.rec.HReso = 1920;
    run.session.Close();
  }
  {
    ConsoleRun run(dir.path());
    run.session.Start();
    EXPECT_EQ(run.session.ProjectPath(), first);
    EXPECT_EQ(run.model.rec.HReso, 1920);
    EXPECT_EQ(run.session.Open(other.string()), "");
    EXPECT_EQ(run.model.rec.HReso, 1280);
    EXPECT_EQ(run.settings.ProjectPath(), other.string());
  }
  ConsoleRun run(dir.path());
  run.session.Start();
  EXPECT_EQ(run.session.ProjectPath(), other.string());
}

TEST(ProjectSession, AFileThatCannotBeReadIsRefusedAndLeftAsItWas) {
  test::TempDir dir;
  // Far past any project's size: the console does not take it in.
  const fs::path huge = dir.path() / "huge.pro";
  const std::string bytes(IniFile::kMaxFileBytes + 1, 'x');
  test::WriteBytes(huge, bytes);
  const fs::path pipe = dir.path() / "pipe.pro";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::string current;
  {
    ConsoleRun run(dir.path());
    run.session.Start();
    current = run.session.ProjectPath();
    const std::string remembered = run.settings.ProjectPath();
    run.model.rec.HReso = 1920;
    for (const fs::path& refused : {dir.path() / "gone" / "x.pro", huge, pipe}) {
      SCOPED_TRACE(refused.string());
      EXPECT_NE(run.session.Open(refused.string()), "");
      EXPECT_EQ(run.model.rec.HReso, 1920);
      EXPECT_EQ(run.session.ProjectPath(), current);
      EXPECT_EQ(run.settings.ProjectPath(), remembered);
    }
    EXPECT_EQ(run.session.Close(), "");
  }
  EXPECT_EQ(test::ReadBytes(huge), bytes);
  ConsoleRun next(dir.path());
  next.session.Start();
  EXPECT_EQ(next.session.ProjectPath(), current);
  EXPECT_EQ(next.model.rec.HReso, 1920);
}

TEST(ProjectSession, SavingIntoAMissingFolderWritesNothing) {
  test::TempDir dir;
  ConsoleRun run(dir.path());
  EXPECT_NE(run.session.Save((dir.path() / "nope" / "a.pro").string()), "");
  EXPECT_FALSE(fs::exists(dir.path() / "nope"));
}

TEST(ProjectSession, SetDataSendsFeatheringOffThenTheRecord) {
  test::TempDir dir;
  ConsoleRun run(dir.path());
  run.model.FeatherOnOff = 1;
  run.model.rec.VReso = 1080;
  run.session.SetDataToMachine();
  ASSERT_EQ(run.link.sent.size(), 1u);
  EXPECT_EQ(run.link.sent[0].type, 35);
  EXPECT_EQ(run.link.sent[0].payload[0], 0);
  EXPECT_EQ(run.link.sent[0].payload[9], 3);
  ASSERT_EQ(run.link.records.size(), 1u);
  EXPECT_EQ(run.link.records[0].VReso, 1080);

  run.session.GetDataFromMachine();
  EXPECT_EQ(run.link.sent.back().type, 0);
}

}  // namespace
}  // namespace qv
