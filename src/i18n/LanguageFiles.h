#pragma once
// The language files: INI files in the data folder's "Language" folder, each
// declaring the language it provides under [Setting] Language and holding its
// texts under [String] (IDD<id>_Title, IDS_<id>, SIDS_0..160 and menu keys).
// One file is current at a time; its texts override the built-in ones. The
// console also writes to these files itself (the port switch texts), so they
// are installed into a writable folder rather than read from the package.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "UiStrings.h"
#include "base/IniFile.h"

namespace qv {

class LanguageFiles {
 public:
  enum class Which { Chinese = 0, English = 1 };

  // What the port switch drop-down shows: UI strings 145..149 as items with
  // item data 0..4, and the item to select.
  struct PortSwitchList {
    std::array<std::string, 5> items;
    int selected = -1;       // the item whose data equals the board's mode; -1 when none
    std::string writeError;  // the texts changed in memory even when the files could not be written
  };

  LanguageFiles(std::filesystem::path languageDir, std::filesystem::path infoIniPath);

  // "Chinese" for a Simplified Chinese locale name (as QLocale::name() or the
  // POSIX LANG give it: "zh_CN", "zh_SG", "zh-Hans", "zh_CN.UTF-8"), else
  // "English"; Traditional Chinese ("zh_TW", "zh_HK", "zh-Hant") is English.
  static std::string DefaultLanguageName(std::string_view localeName);

  // Makes current the first language file declaring exactly `name`; without
  // one, "Chinese.ini" (which may not exist) under the name "English". The
  // chosen name is written to Info.ini [Setting] Language. Returns "" or the
  // reason Info.ini could not be written.
  std::string SelectLanguage(const std::string& name);
  const std::filesystem::path& FilePath() const { return filePath_; }
  const std::string& Name() const { return name_; }

  // The [String] text of the current file: empty when missing, at most 999
  // characters, with each backslash-n turned into a line break.
  std::string LookupString(std::string_view key) const;
  void ReloadUiStrings(UiStrings& strings) const;

  // Writes key=text under [String] of English.ini or Chinese.ini in the
  // language folder; line breaks are stored as backslash-n. Returns "" or the
  // reason it failed.
  std::string WriteLanguageString(std::string_view key, std::string_view text, Which which);

  // After a composite board reply: renames the port switch entries after the
  // cards the board reports in its slots (6 = DVI3* in slot 0 or HDMI3 in
  // slot 1, 8 = DP2), in memory for the saved language ("English" or
  // "Chinese"; any other leaves them) and in both language files.
  PortSwitchList UpdatePortSwitchTexts(std::span<const int32_t, 3> boardInputs, int32_t boardMode,
                                       std::string_view savedLanguage, UiStrings& strings);

 private:
  std::filesystem::path languageDir_;
  std::filesystem::path infoIniPath_;
  std::filesystem::path filePath_;
  std::string name_;
  // The current file's texts, read when it is selected and refreshed when
  // this object writes to it, instead of reading the file for every lookup.
  IniFile::SectionIndex texts_;
};

}  // namespace qv
