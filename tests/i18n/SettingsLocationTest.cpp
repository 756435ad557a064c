#include "i18n/SettingsLocation.h"

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace qv::test {
namespace {

TEST(SettingsLocationTest, WritableProgramFolderHoldsTheData) {
  TempDir program;
  const auto location = SettingsLocation::ForProgramDir(program.path(), {"/nowhere", "/nowhere"});
  EXPECT_EQ(location.DataDir(), program.path());
  EXPECT_EQ(location.InfoIniPath(), program.path() / "Info.ini");
  EXPECT_EQ(location.ProjectDir(), program.path() / "Project");
  EXPECT_EQ(location.LanguageDir(), program.path() / "Language");
}

TEST(SettingsLocationTest, OtherwiseThePerUserConfigFolderIsCreated) {
  TempDir home;
  const std::string xdg = (home.path() / "xdg").string();
  struct Case {
    std::string_view name;
    SettingsLocation::Environment environment;
    std::filesystem::path expected;
  };
  const Case cases[] = {
      {"XDG_CONFIG_HOME set", {xdg, home.path().string()}, home.path() / "xdg" / "qvconsole"},
      {"XDG_CONFIG_HOME unset", {"", home.path().string()}, home.path() / ".config" / "qvconsole"},
      {"relative XDG_CONFIG_HOME ignored",
       {"rel", home.path().string()},
       home.path() / ".config" / "qvconsole"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SettingsLocation location(home.path() / "bin", false, c.environment);
    EXPECT_EQ(location.DataDir(), c.expected);
    EXPECT_TRUE(std::filesystem::is_directory(c.expected));
    EXPECT_EQ(location.error(), "");
  }
}

TEST(SettingsLocationTest, MissingProgramFolderCountsAsNotWritable) {
  TempDir home;
  const auto location =
      SettingsLocation::ForProgramDir(home.path() / "no-such-folder", {"", home.path().string()});
  EXPECT_EQ(location.DataDir(), home.path() / ".config" / "qvconsole");
}

TEST(SettingsLocationTest, ShippedLanguagesNeverReplaceEditedOnesButAddNewTexts) {
  TempDir shipped, home;
  WriteBytes(shipped.path() / "English.ini",
             "[Setting]\nLanguage=English\n[String]\nIDS_1=Old\nIDS_2=New\n");
  WriteBytes(shipped.path() / "Chinese.ini", "[Setting]\nLanguage=Chinese\n");
  WriteBytes(shipped.path() / "README.txt", "not a language");
  std::filesystem::create_directories(shipped.path() / "sub.ini");
  const SettingsLocation location(home.path() / "bin", false, {"", home.path().string()});
  std::filesystem::create_directories(location.LanguageDir());
  WriteBytes(location.LanguageDir() / "English.ini",
             "[Setting]\r\nLanguage=English\r\n[String]\r\nIDS_1=Edited\r\n");

  EXPECT_EQ(location.InstallShippedLanguages(shipped.path()), "");

  EXPECT_EQ(ReadBytes(location.LanguageDir() / "English.ini"),
            "[Setting]\r\nLanguage=English\r\n[String]\r\nIDS_1=Edited\r\nIDS_2=New\r\n");
  EXPECT_EQ(ReadBytes(location.LanguageDir() / "Chinese.ini"), "[Setting]\nLanguage=Chinese\n");
  EXPECT_FALSE(std::filesystem::exists(location.LanguageDir() / "README.txt"));
  EXPECT_FALSE(std::filesystem::exists(location.LanguageDir() / "sub.ini"));
  EXPECT_FALSE(location.InstallShippedLanguages(home.path() / "missing").empty());
}

}  // namespace
}  // namespace qv::test
