#include "i18n/LanguageFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <vector>

#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace qv::test {
namespace {

class LanguageFilesTest : public ::testing::Test {
 protected:
  std::filesystem::path LanguageDir() const { return dir_.path() / "Language"; }
  std::filesystem::path InfoIni() const { return dir_.path() / "Info.ini"; }

  void WriteLanguage(std::string_view fileName, std::string_view content) const {
    std::filesystem::create_directories(LanguageDir());
    WriteBytes(LanguageDir() / fileName, content);
  }
  std::string SavedLanguage() const {
    return ReadProfileString(InfoIni(), "Setting", "Language", "<none>", 256);
  }
  std::string StringIn(std::string_view fileName, std::string_view key) const {
    return IniFile::Load(LanguageDir() / fileName).Get("String", key, "<none>");
  }

  TempDir dir_;
  LanguageFiles files_{LanguageDir(), InfoIni()};
};

TEST(LanguageFilesDefaultTest, SimplifiedChineseLocalesStartInChinese) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"zh_CN", "Chinese"},      {"zh-Hans", "Chinese"},     {"zh_Hans_HK", "Chinese"},
      {"zh_SG", "Chinese"},      {"zh_CN.UTF-8", "Chinese"}, {"zh", "Chinese"},
      {"zh_TW", "English"},      {"zh_HK", "English"},       {"zh-Hant", "English"},
      {"zh_Hant_CN", "English"}, {"en_US", "English"},       {"C", "English"},
      {"", "English"},           {"zhx_CN", "English"},
  };
  for (const auto& [locale, language] : cases) {
    EXPECT_EQ(LanguageFiles::DefaultLanguageName(locale), language) << locale;
  }
}

TEST_F(LanguageFilesTest, SelectsTheFirstFileDeclaringTheExactName) {
  WriteLanguage("c.ini", "[Setting]\nLanguage=English\n");  // written first, sorts last
  WriteLanguage("A.ini", "[Setting]\nLanguage=english\n");
  WriteLanguage("b.ini", "[setting]\nlanguage = English\n");
  WriteLanguage("0.txt", "[Setting]\nLanguage=English\n");
  std::filesystem::create_directories(LanguageDir() / "00.ini");

  EXPECT_EQ(files_.SelectLanguage("English"), "");
  EXPECT_EQ(files_.FilePath(), LanguageDir() / "b.ini");
  EXPECT_EQ(files_.Name(), "English");
  EXPECT_EQ(SavedLanguage(), "English");
}

TEST_F(LanguageFilesTest, WithoutAMatchFallsBackToChineseFileUnderEnglishName) {
  WriteLanguage("Chinese.ini", "[Setting]\nLanguage=Chinese\n[String]\nSIDS_0=图像模式\n");

  EXPECT_EQ(files_.SelectLanguage("Klingon"), "");
  EXPECT_EQ(files_.FilePath(), LanguageDir() / "Chinese.ini");
  EXPECT_EQ(files_.Name(), "English");
  EXPECT_EQ(SavedLanguage(), "English");
  EXPECT_EQ(files_.LookupString("SIDS_0"), "图像模式");
}

TEST_F(LanguageFilesTest, WithoutALanguageFolderCreatesIt) {
  EXPECT_EQ(files_.SelectLanguage("Chinese"), "");
  EXPECT_TRUE(std::filesystem::is_directory(LanguageDir()));
  EXPECT_EQ(files_.FilePath(), LanguageDir() / "Chinese.ini");
  EXPECT_EQ(SavedLanguage(), "English");

  UiStrings strings;
  files_.ReloadUiStrings(strings);
  for (int i = 0; i < UiStrings::kCount; ++i) EXPECT_EQ(strings.Get(i), "") << i;
}

TEST_F(LanguageFilesTest, LookupTurnsBackslashNIntoLineBreaksAndCapsLength) {
  std::string longText;
  for (int i = 0; i < 1200; ++i) longText += "中";
  WriteLanguage("English.ini",
                "[Setting]\nLanguage=English\n[String]\n"
                "SIDS_65=Waitting\\nOperation\\n\n"
                "IDS_FILE=\" &File \"\n"
                "SIDS_1=" +
                    longText + "\n");
  ASSERT_EQ(files_.SelectLanguage("English"), "");

  EXPECT_EQ(files_.LookupString("SIDS_65"), "Waitting\nOperation\n");
  EXPECT_EQ(files_.LookupString("ids_file"), " &File ");
  EXPECT_EQ(files_.LookupString("SIDS_1"), longText.substr(0, 999 * std::string("中").size()));
  EXPECT_EQ(files_.LookupString("SIDS_2"), "");
}

TEST_F(LanguageFilesTest, ReloadEmptiesEntriesTheFileLacks) {
  WriteLanguage("English.ini", "[Setting]\nLanguage=English\n[String]\nSIDS_0=Mode\nSIDS_160=\n");
  ASSERT_EQ(files_.SelectLanguage("English"), "");

  UiStrings strings;
  files_.ReloadUiStrings(strings);
  EXPECT_EQ(strings.Get(0), "Mode");
  for (int i = 1; i < UiStrings::kCount; ++i) EXPECT_EQ(strings.Get(i), "") << i;
}

TEST(ShippedLanguageFilesTest, ProvideEveryUiString) {
  TempDir dir;
  LanguageFiles files(std::filesystem::path(QV_SOURCE_DIR) / "lang", dir.path() / "Info.ini");
  UiStrings strings;

  ASSERT_EQ(files.SelectLanguage("English"), "");
  EXPECT_EQ(files.FilePath().filename(), "English.ini");
  files.ReloadUiStrings(strings);
  for (int i = 0; i < UiStrings::kCount; ++i) {
    // The built-in title of the mosaic page is the misc page's; the shipped
    // file names the page after what it sets.
    if (i == static_cast<int>(UiText::MosaicTitle)) {
      EXPECT_EQ(strings.Get(i), "Mosaic Settings");
      continue;
    }
    EXPECT_EQ(strings.Get(i), UiStrings::Builtin(i)) << i;
  }

  ASSERT_EQ(files.SelectLanguage("Chinese"), "");
  EXPECT_EQ(files.FilePath().filename(), "Chinese.ini");
  files.ReloadUiStrings(strings);
  for (int i = 0; i < UiStrings::kCount; ++i) EXPECT_FALSE(strings.Get(i).empty()) << i;
}

TEST_F(LanguageFilesTest, WrittenStringsReadBackAndUnchangedOnesAreNotRewritten) {
  WriteLanguage("English.ini", "[Setting]\nLanguage=English\n; kept\n[String]\nSIDS_0=Mode\n");
  ASSERT_EQ(files_.SelectLanguage("English"), "");

  EXPECT_EQ(files_.WriteLanguageString("SIDS_65", "Two\nLines", LanguageFiles::Which::English), "");
  EXPECT_EQ(files_.LookupString("SIDS_65"), "Two\nLines");
  EXPECT_EQ(ReadBytes(LanguageDir() / "English.ini"),
            "[Setting]\nLanguage=English\n; kept\n[String]\nSIDS_0=Mode\nSIDS_65=Two\\nLines\n");

  struct stat before {
  }, after{};
  ASSERT_EQ(::stat((LanguageDir() / "English.ini").c_str(), &before), 0);
  EXPECT_EQ(files_.WriteLanguageString("SIDS_0", "Mode", LanguageFiles::Which::English), "");
  ASSERT_EQ(::stat((LanguageDir() / "English.ini").c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);

  EXPECT_EQ(files_.WriteLanguageString("SIDS_0", "模式", LanguageFiles::Which::Chinese), "");
  EXPECT_EQ(StringIn("Chinese.ini", "SIDS_0"), "模式");
  EXPECT_EQ(StringIn("English.ini", "SIDS_0"), "Mode");
}

TEST_F(LanguageFilesTest, PortSwitchCardWritesBothLanguagePairs) {
  WriteLanguage("English.ini", "[Setting]\nLanguage=English\n[String]\nSIDS_145=Fixed to HDMI\n");
  ASSERT_EQ(files_.SelectLanguage("English"), "");
  UiStrings strings;
  files_.ReloadUiStrings(strings);

  const int32_t boardInputs[3] = {6, 0, 0};
  const auto list = files_.UpdatePortSwitchTexts(boardInputs, 0, "English", strings);

  EXPECT_EQ(list.items[0], "Fixed to DVI3*");
  EXPECT_EQ(list.items[3], "Auto(DVI3* Default)");
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(list.writeError, "");
  EXPECT_EQ(StringIn("English.ini", "SIDS_145"), "Fixed to DVI3*");
  EXPECT_EQ(StringIn("English.ini", "SIDS_148"), "Auto(DVI3* Default)");
  EXPECT_EQ(StringIn("Chinese.ini", "SIDS_145"), "固定 DVI3*");
  EXPECT_EQ(StringIn("Chinese.ini", "SIDS_148"), "自动(DVI3* 优先)");
  EXPECT_EQ(StringIn("English.ini", "SIDS_146"), "<none>");
  EXPECT_EQ(files_.LookupString("SIDS_145"), "Fixed to DVI3*");
}

TEST_F(LanguageFilesTest, PortSwitchTextsFollowCardsAndSavedLanguage) {
  struct Case {
    std::string_view name;
    int32_t boardInputs[3];
    int32_t mode;
    std::string_view saved;
    std::array<std::string_view, 5> items;
    int selected;
  };
  const Case cases[] = {
      {"DVI3* in slot 0, English",
       {6, 0, 0},
       3,
       "English",
       {"Fixed to DVI3*", "Fixed to DP", "Auto", "Auto(DVI3* Default)", "Auto(Default DP)"},
       3},
      {"HDMI3 in slot 1, Chinese",
       {0, 6, 0},
       4,
       "Chinese",
       {"Fixed to HDMI", "固定 HDMI3", "Auto", "Auto(Default HDMI)", "自动(HDMI3 优先)"},
       4},
      {"DP2 in both slots",
       {8, 8, 0},
       2,
       "English",
       {"Fixed to DP2", "Fixed to DP2", "Auto", "Auto(DP2 Default)", "Auto(DP2 Default)"},
       2},
      {"DP2 in slot 0, Chinese",
       {8, 0, 0},
       1,
       "Chinese",
       {"固定 DP2", "Fixed to DP", "Auto", "自动(DP2 优先)", "Auto(Default DP)"},
       1},
      {"other saved language keeps texts",
       {6, 6, 0},
       0,
       "Deutsch",
       {"Fixed to HDMI", "Fixed to DP", "Auto", "Auto(Default HDMI)", "Auto(Default DP)"},
       0},
      {"slot 2 and mode out of range",
       {0, 0, 6},
       5,
       "English",
       {"Fixed to HDMI", "Fixed to DP", "Auto", "Auto(Default HDMI)", "Auto(Default DP)"},
       -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UiStrings strings;
    const auto list = files_.UpdatePortSwitchTexts(c.boardInputs, c.mode, c.saved, strings);
    for (std::size_t i = 0; i < c.items.size(); ++i) EXPECT_EQ(list.items[i], c.items[i]) << i;
    EXPECT_EQ(list.selected, c.selected);
  }
}

}  // namespace
}  // namespace qv::test
