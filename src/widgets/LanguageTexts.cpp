#include "LanguageTexts.h"

namespace qv {

QString LanguageTexts::Lookup(std::string_view key) const {
  return QString::fromStdString(files_.LookupString(key));
}

QString LanguageTexts::Ui(int index) const {
  return QString::fromStdString(strings_.Get(index));
}

}  // namespace qv
