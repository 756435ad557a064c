#include "base/IniFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace qv::test {
namespace {

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

constexpr std::string_view kLookupDocument =
    "Orphan=before any section\n"
    "; settings\n"
    "[Setting]\n"
    "  Language = English  \n"
    "Padded=  \"  two blanks  \"  \n"
    "Single=' x '\n"
    "Once=\"\"quoted\"\"\n"
    "Lone=\"\n"
    "Mixed=\"abc'\n"
    "Empty=\n"
    "Dup=first\n"
    "dup=second\n"
    "Tab=\tvalue\t\n"
    ";Commented=1\n"
    "Equals=a=b\n"
    "Wide=中文字符\n"
    " [ Spaced Section ] trailing text\n"
    " Key With Blank = v\n"
    "[setting]\n"
    "Later=only the first section of a name counts\n"
    "[Other]\n"
    "Dup=other\n";

TEST(IniFileTest, ReadsWithProfileStringMatchingRules) {
  struct Case {
    std::string_view section, key, defaultValue;
    std::size_t maxChars;
    std::string_view expected;
  };
  const Case cases[] = {
      {"SETTING", "language", "", 256, "English"},
      {"  Setting ", " Language\t", "", 256, "English"},
      {"Setting", "Padded", "", 256, "  two blanks  "},
      {"Setting", "Single", "", 256, " x "},
      {"Setting", "Once", "", 256, "\"quoted\""},
      {"Setting", "Lone", "", 256, "\""},
      {"Setting", "Mixed", "", 256, "\"abc'"},
      {"Setting", "Empty", "default", 256, ""},
      {"Setting", "Dup", "", 256, "first"},
      {"Setting", "Tab", "", 256, "value"},
      {"Setting", "Equals", "", 256, "a=b"},
      {"Setting", ";Commented", "default", 256, "default"},
      {"Setting", "Orphan", "default", 256, "default"},
      {"spaced section", "key with blank", "", 256, "v"},
      {"Setting", "Later", "default", 256, "default"},
      {"Other", "Dup", "", 256, "other"},
      {"Missing", "Language", "default", 256, "default"},
      {"Setting", "Missing", "default", 256, "default"},
      // The buffer size counts characters and keeps room for a terminator.
      {"Setting", "Wide", "", 3, "中文"},
      {"Setting", "Language", "", 1, ""},
      {"Setting", "Language", "", 0, ""},
      {"Setting", "Missing", "abcdef", 4, "abc"},
  };
  TempDir dir;
  const auto path = dir.path() / "Info.ini";
  WriteBytes(path, kLookupDocument);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + std::string(c.key));
    EXPECT_EQ(ReadProfileString(path, c.section, c.key, c.defaultValue, c.maxChars), c.expected);
  }
}

TEST(IniFileTest, ASectionIndexAnswersAsEachLookupDoes) {
  const IniFile file = IniFile::ParseFromBytes(kLookupDocument);
  const std::pair<std::string_view, std::vector<std::string_view>> sections[] = {
      {"Setting",
       {"language", " Language\t", "Padded", "Single", "Once", "Lone", "Mixed", "Empty", "DUP",
        "dup", "Tab", "Equals", ";Commented", "Orphan", "Later", "Wide", "Missing"}},
      {" spaced section ", {"key with blank", "Key With Blank"}},
      {"Other", {"Dup"}},
      {"Missing", {"Language"}},
  };
  for (const auto& [section, keys] : sections) {
    const IniFile::SectionIndex index = file.Index(section);
    for (std::string_view key : keys) {
      EXPECT_EQ(index.Find(key), file.Find(section, key))
          << std::string(section) << "/" << std::string(key);
    }
  }
}

TEST(IniFileTest, MissingOrUnreadableFileGivesDefaults) {
  TempDir dir;
  EXPECT_EQ(ReadProfileString(dir.path() / "none.ini", "S", "K", "default", 256), "default");

  std::string error;
  const IniFile folder = IniFile::Load(dir.path(), &error);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(folder.Get("S", "K", "default"), "default");
  EXPECT_FALSE(WriteProfileString(dir.path(), "S", "K", "v").empty());
}

TEST(IniFileTest, SetEditsOnlyTheLineConcerned) {
  constexpr std::string_view kBase =
      "; header comment\n"
      "[A]\n"
      "One = 1\n"
      "  ; note inside A\n"
      "Two=2\n"
      "\n"
      "; about B\n"
      "[B]\n"
      "Three=3\n";
  struct Case {
    std::string_view name, before, section, key, value, after;
  };
  const Case cases[] = {
      {"update keeps the file's spelling", kBase, "a", "ONE", "uno",
       "; header comment\n[A]\nOne=uno\n  ; note inside A\nTwo=2\n\n; about B\n[B]\nThree=3\n"},
      {"new key goes after the section's last key", kBase, "A", "New", "n",
       "; header comment\n[A]\nOne = 1\n  ; note inside A\nTwo=2\nNew=n\n\n; about B\n[B]\n"
       "Three=3\n"},
      {"new section goes at the end", kBase, "C", "Key", "v",
       "; header comment\n[A]\nOne = 1\n  ; note inside A\nTwo=2\n\n; about B\n[B]\nThree=3\n"
       "\n[C]\nKey=v\n"},
      {"outer blanks are quoted", kBase, "B", "Three", " padded ",
       "; header comment\n[A]\nOne = 1\n  ; note inside A\nTwo=2\n\n; about B\n[B]\n"
       "Three=\" padded \"\n"},
      {"empty document", "", "S", "K", "v", "[S]\nK=v\n"},
      {"section without keys", "[S]\n", "S", "K", "v", "[S]\nK=v\n"},
      {"only the first section of a name", "[S]\nA=1\n[s]\nK=old\n", "S", "K", "new",
       "[S]\nA=1\nK=new\n[s]\nK=old\n"},
      {"CRLF line ends are kept", "[S]\r\nA=1\r\n", "S", "B", "2", "[S]\r\nA=1\r\nB=2\r\n"},
      {"a last line without line end", "[S]\nA=1", "S", "A", "2", "[S]\nA=2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IniFile file = IniFile::ParseFromBytes(c.before);
    ASSERT_TRUE(file.Set(c.section, c.key, c.value));
    EXPECT_EQ(file.Serialize(), c.after);
  }
}

TEST(IniFileTest, StoredValuesReadBackUnchanged) {
  const std::string values[] = {"",       " ",    "  lead",  "trail ", "\"x\"", "'y'",
                                "a=b",    "; no", "[no]",    "中文",   "\"",    "x\"",
                                "\t tab", "\"\"", " \"q\" ", "'",      "\"a'"};
  for (const std::string& value : values) {
    SCOPED_TRACE("[" + value + "]");
    IniFile file;
    ASSERT_TRUE(file.Set("S", "K", value));
    EXPECT_EQ(IniFile::ParseFromBytes(file.Serialize()).Find("S", "K"), value);
  }
}

TEST(IniFileTest, AddMissingTakesOnlyTheEntriesALookupReachesAndKeepsEdits) {
  IniFile file = IniFile::ParseFromBytes("[setting]\nLANGUAGE=Edited\n[Other]\n; note\n");
  const IniFile shipped = IniFile::ParseFromBytes(kLookupDocument);

  EXPECT_EQ(file.AddMissing(shipped), 12u);
  EXPECT_EQ(file.AddMissing(shipped), 0u);

  const IniFile merged = IniFile::ParseFromBytes(file.Serialize());
  struct Case {
    std::string_view section, key;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"Setting", "Language", "Edited"},
      {"Setting", "Padded", "  two blanks  "},
      {"Setting", "Single", " x "},
      {"Setting", "Once", "\"quoted\""},
      {"Setting", "Lone", "\""},
      {"Setting", "Mixed", "\"abc'"},
      {"Setting", "Empty", ""},
      {"Setting", "Dup", "first"},
      {"Setting", "Tab", "value"},
      {"Setting", "Equals", "a=b"},
      {"Setting", "Wide", "中文字符"},
      {"Spaced Section", "Key With Blank", "v"},
      {"Other", "Dup", "other"},
      // Unreachable in the shipped file, so not carried over.
      {"Setting", "Later", std::nullopt},
      {"Setting", "Orphan", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + std::string(c.key));
    EXPECT_EQ(merged.Find(c.section, c.key), c.expected);
  }
  EXPECT_NE(file.Serialize().find("[Other]\nDup=other\n; note\n"), std::string::npos);
}

TEST(IniFileTest, RefusesEntriesThatCannotBeStored) {
  struct Case {
    std::string section, key, value;
  };
  const Case cases[] = {
      {"", "K", "v"},     {"S", " ", "v"},
      {"S", "a=b", "v"},  {"S", ";K", "v"},
      {"S", "[K", "v"},   {"S]", "K", "v"},
      {"S", "K", "a\nb"}, {"S", "K\rX", "v"},
      {"S\n", "K", "v"},  {"S", "K", std::string(IniFile::kMaxLineBytes, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.section + "/" + c.key);
    IniFile file = IniFile::ParseFromBytes("[S]\nK=old\n");
    EXPECT_FALSE(file.Set(c.section, c.key, c.value));
    EXPECT_EQ(file.Serialize(), "[S]\nK=old\n");
  }
}

TEST(IniFileTest, Utf16FileIsReadAndWrittenBackAsUtf16) {
  const std::u16string loneSurrogate(1, char16_t(0xD800));
  TempDir dir;
  const auto path = dir.path() / "Info.ini";
  WriteBytes(path, "\xFF\xFE" +
                       Utf16Le(u"[Setting]\r\nLanguage=中文😀\r\nBad=" + loneSurrogate + u"x\r\n"));

  const IniFile file = IniFile::Load(path);
  EXPECT_EQ(file.encoding(), IniFile::Encoding::Utf16Le);
  EXPECT_EQ(file.Get("Setting", "Language"), "中文😀");
  EXPECT_EQ(file.Get("Setting", "Bad"), "\uFFFDx");

  ASSERT_EQ(WriteProfileString(path, "Setting", "Language", "English"), "");
  EXPECT_EQ(ReadBytes(path),
            "\xFF\xFE" + Utf16Le(u"[Setting]\r\nLanguage=English\r\nBad=\uFFFDx\r\n"));
}

TEST(IniFileTest, Utf8ByteOrderMarkIsKept) {
  IniFile file = IniFile::ParseFromBytes("\xEF\xBB\xBF[S]\nK=v\n");
  EXPECT_EQ(file.Get("S", "K"), "v");
  ASSERT_TRUE(file.Set("S", "K", "w"));
  EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF[S]\nK=w\n");
}

TEST(IniFileTest, DamagedInputStillParsesAndTakesWrites) {
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string inputs[] = {
      noise,
      std::string("[S]\0K=\0v\n\0\0", 12),
      "[\n=\n[[]]=x\n]\n[=]\n",
      std::string("\xFF\xFE\x00", 3),  // odd byte count
      "\xFF\xFE" + Utf16Le(u"[S]\nK=") + std::string("\x00\xDC\x00\xD8", 4),
      std::string(1 << 20, 'x'),  // one line of a megabyte, no line end
      std::string(200000, '\n'),
  };
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input.size());
    IniFile file = IniFile::ParseFromBytes(input);
    ASSERT_TRUE(file.Set("Fuzz", "Key", " v "));
    EXPECT_EQ(IniFile::ParseFromBytes(file.Serialize()).Find("Fuzz", "Key"), " v ");
  }
}

TEST(IniFileTest, OverlongLineIsCutAndTheRestStillRead) {
  const IniFile file =
      IniFile::ParseFromBytes("[S]\nLong=" + std::string(1 << 20, 'x') + "\nAfter=1\n");
  EXPECT_FALSE(file.complete());
  EXPECT_EQ(file.Get("S", "After"), "1");
  EXPECT_EQ(file.Get("S", "Long").size(), IniFile::kMaxLineBytes - 5);
}

TEST(IniFileTest, HugeFileIsReadInPartAndNeverRewritten) {
  TempDir dir;
  const auto path = dir.path() / "Info.ini";
  constexpr std::string_view kHead = "[S]\nK=v\n";
  WriteBytes(path, kHead);
  std::filesystem::resize_file(path, 100u << 20);  // sparse: costs no disk space

  const IniFile file = IniFile::Load(path);
  EXPECT_EQ(file.Get("S", "K"), "v");
  EXPECT_FALSE(file.complete());
  EXPECT_FALSE(WriteProfileString(path, "S", "K", "w").empty());
  EXPECT_EQ(std::filesystem::file_size(path), 100u << 20);
  EXPECT_EQ(ReadBytes(path).substr(0, kHead.size()), kHead);
}

TEST(IniFileTest, FailedWriteLeavesTheOldFileWhole) {
  TempDir dir;
  const auto path = dir.path() / "Info.ini";
  constexpr std::string_view kOld = "[S]\nK=old\n";
  WriteBytes(path, kOld);

  // A file size limit makes the write fail even for root, where folder
  // permissions would not.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit tight = saved;
  tight.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
  const std::string error = WriteProfileString(path, "S", "K", std::string(1000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(error.empty());
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace qv::test
