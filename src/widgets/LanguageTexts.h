#pragma once
// What a page needs to re-text itself: the current language file's lookups
// and the UI strings, as Qt strings.

#include <QString>
#include <string_view>

#include "i18n/LanguageFiles.h"
#include "i18n/UiStrings.h"

namespace qv {

class LanguageTexts {
 public:
  LanguageTexts(const LanguageFiles& files, const UiStrings& strings)
      : files_(files), strings_(strings) {}

  // The [String] text of the current language file; empty when missing.
  QString Lookup(std::string_view key) const;
  // UI string `index`; empty outside 0..160.
  QString Ui(int index) const;
  QString Ui(UiText text) const { return Ui(static_cast<int>(text)); }

 private:
  const LanguageFiles& files_;
  const UiStrings& strings_;
};

}  // namespace qv
