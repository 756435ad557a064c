#include "LanguageFiles.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/Utf8.h"

namespace qv {

namespace {

constexpr std::string_view kStringSection = "String";
// Language texts are read into a buffer of 1000 characters.
constexpr std::size_t kMaxTextChars = 999;

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool HasIniExtension(const std::filesystem::path& path) {
  return Lower(path.extension().string()) == ".ini";
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    if (text.substr(pos, from.size()) == from) {
      out += to;
      pos += from.size();
    } else {
      out += text[pos++];
    }
  }
  return out;
}

// The names a composite board card gives the two port switch entries of its
// slot, in both languages.
struct PortTexts {
  std::string_view fixedEnglish;
  std::string_view autoEnglish;
  std::string_view fixedChinese;
  std::string_view autoChinese;
};

constexpr PortTexts kDvi3 = {"Fixed to DVI3*", "Auto(DVI3* Default)", "固定 DVI3*",
                             "自动(DVI3* 优先)"};
constexpr PortTexts kHdmi3 = {"Fixed to HDMI3", "Auto(HDMI3 Default)", "固定 HDMI3",
                              "自动(HDMI3 优先)"};
constexpr PortTexts kDp2 = {"Fixed to DP2", "Auto(DP2 Default)", "固定 DP2", "自动(DP2 优先)"};

constexpr int32_t kCardDvi3OrHdmi3 = 6;
constexpr int32_t kCardDp2 = 8;
constexpr int kFirstPortSwitchString = 145;

}  // namespace

LanguageFiles::LanguageFiles(std::filesystem::path languageDir, std::filesystem::path infoIniPath)
    : languageDir_(std::move(languageDir)), infoIniPath_(std::move(infoIniPath)) {}

std::string LanguageFiles::DefaultLanguageName(std::string_view localeName) {
  // Drop a POSIX encoding or modifier ("zh_CN.UTF-8", "zh_CN@pinyin").
  localeName = localeName.substr(0, localeName.find_first_of(".@"));
  std::vector<std::string> parts;
  for (std::size_t pos = 0; pos <= localeName.size();) {
    const std::size_t end = std::min(localeName.find_first_of("_-", pos), localeName.size());
    parts.push_back(Lower(localeName.substr(pos, end - pos)));
    pos = end + 1;
  }
  if (parts.front() != "zh") return "English";
  std::string region;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i] == "hans") return "Chinese";
    if (parts[i] == "hant") return "English";
    if (parts[i].size() != 4) region = parts[i];
  }
  // Plain "zh" means the Simplified default, as it does for QLocale.
  const bool simplifiedRegion =
      region.empty() || region == "cn" || region == "sg" || region == "my";
  return simplifiedRegion ? "Chinese" : "English";
}

std::string LanguageFiles::SelectLanguage(const std::string& name) {
  // The directory's own order is arbitrary on Linux file systems; sorting by
  // file name makes "the first file declaring the name" the same on every run.
  std::vector<std::filesystem::path> candidates;
  std::error_code error;
  for (std::filesystem::directory_iterator it(languageDir_, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code typeError;
    if (it->is_directory(typeError) || !HasIniExtension(it->path())) continue;
    candidates.push_back(it->path());
  }
  std::sort(candidates.begin(), candidates.end());

  bool found = false;
  for (const std::filesystem::path& candidate : candidates) {
    IniFile file = IniFile::Load(candidate);
    if (file.Get("Setting", "Language") == name) {
      filePath_ = candidate;
      name_ = name;
      texts_ = file.Index(kStringSection);
      found = true;
      break;
    }
  }
  if (!found) {
    std::filesystem::create_directories(languageDir_, error);
    filePath_ = languageDir_ / "Chinese.ini";
    name_ = "English";
    texts_ = IniFile::Load(filePath_).Index(kStringSection);
  }
  return WriteProfileString(infoIniPath_, "Setting", "Language", name_);
}

std::string LanguageFiles::LookupString(std::string_view key) const {
  const std::string text = texts_.Find(key).value_or(std::string());
  return ReplaceAll(utf8::Prefix(text, kMaxTextChars), "\\n", "\n");
}

void LanguageFiles::ReloadUiStrings(UiStrings& strings) const {
  strings.Reload([this](const std::string& key) { return LookupString(key); });
}

std::string LanguageFiles::WriteLanguageString(std::string_view key, std::string_view text,
                                               Which which) {
  const std::filesystem::path path =
      languageDir_ / (which == Which::English ? "English.ini" : "Chinese.ini");
  std::error_code ignored;
  std::filesystem::create_directories(languageDir_, ignored);

  std::string error;
  IniFile file = IniFile::Load(path, &error);
  if (!error.empty()) return error;
  const std::string stored = ReplaceAll(ReplaceAll(text, "\r\n", "\\n"), "\n", "\\n");
  // The port switch texts are rewritten after every board reply; skipping
  // unchanged ones avoids a flushed file replacement each time.
  if (file.Find(kStringSection, key) == stored) return {};
  if (!file.Set(kStringSection, key, stored)) {
    return "cannot store " + std::string(key) + " in " + path.string();
  }
  error = file.Save(path);
  if (error.empty() && path == filePath_) texts_ = file.Index(kStringSection);
  return error;
}

LanguageFiles::PortSwitchList LanguageFiles::UpdatePortSwitchTexts(
    std::span<const int32_t, 3> boardInputs, int32_t boardMode, std::string_view savedLanguage,
    UiStrings& strings) {
  PortSwitchList list;
  const auto rename = [&](int fixedIndex, int autoIndex, const PortTexts& texts) {
    if (savedLanguage == "English") {
      strings.Set(fixedIndex, std::string(texts.fixedEnglish));
      strings.Set(autoIndex, std::string(texts.autoEnglish));
    } else if (savedLanguage == "Chinese") {
      strings.Set(fixedIndex, std::string(texts.fixedChinese));
      strings.Set(autoIndex, std::string(texts.autoChinese));
    }
    const std::string fixedKey = "SIDS_" + std::to_string(fixedIndex);
    const std::string autoKey = "SIDS_" + std::to_string(autoIndex);
    const auto keepFirstError = [&](std::string error) {
      if (list.writeError.empty()) list.writeError = std::move(error);
    };
    keepFirstError(WriteLanguageString(fixedKey, texts.fixedEnglish, Which::English));
    keepFirstError(WriteLanguageString(autoKey, texts.autoEnglish, Which::English));
    keepFirstError(WriteLanguageString(fixedKey, texts.fixedChinese, Which::Chinese));
    keepFirstError(WriteLanguageString(autoKey, texts.autoChinese, Which::Chinese));
  };

  // Slot 0 names the "fixed"/"auto" entries 145 and 148, slot 1 entries 146 and 149.
  if (boardInputs[0] == kCardDvi3OrHdmi3) rename(145, 148, kDvi3);
  if (boardInputs[1] == kCardDvi3OrHdmi3) rename(146, 149, kHdmi3);
  if (boardInputs[0] == kCardDp2) rename(145, 148, kDp2);
  if (boardInputs[1] == kCardDp2) rename(146, 149, kDp2);

  for (int i = 0; i < static_cast<int>(list.items.size()); ++i) {
    list.items[i] = strings.Get(kFirstPortSwitchString + i);
  }
  if (boardMode >= 0 && boardMode < static_cast<int32_t>(list.items.size())) {
    list.selected = boardMode;
  }
  return list;
}

}  // namespace qv
