#pragma once
// The 161 texts used for messages, page titles, captions and list entries,
// addressed by index (the language-file key is "SIDS_" + index). The table
// starts with the built-in English texts; once a language is applied it holds
// that language file's texts, empty where the file has none. Leading and
// trailing blanks belong to the texts: list entries are drawn with them.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "UiText.h"

namespace qv {

class UiStrings {
 public:
  static constexpr int kCount = 161;

  UiStrings();

  // The built-in English text; empty for an index outside 0..kCount-1.
  static std::string_view Builtin(int index);
  static std::string_view Builtin(UiText text) { return Builtin(static_cast<int>(text)); }

  // Empty for an index outside 0..kCount-1.
  const std::string& Get(int index) const;
  const std::string& Get(UiText text) const { return Get(static_cast<int>(text)); }
  // Ignored for an index outside 0..kCount-1.
  void Set(int index, std::string text);

  // Every entry from lookup("SIDS_<index>"); the lookup returns "" for a
  // missing key, which empties the entry.
  void Reload(const std::function<std::string(const std::string& key)>& lookup);

 private:
  std::array<std::string, kCount> texts_;
};

}  // namespace qv
