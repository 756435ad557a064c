#include "i18n/UiStrings.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

TEST(UiStringsTest, BuiltinTextsKeepTheirBlanks) {
  const std::pair<int, std::string_view> cases[] = {
      {0, "Picture Mode"},
      {36, "Preset is Invalid"},
      {38, "Tips"},
      {42, " User "},
      {65, "Waitting Operation ..."},
      {96, "Customized  Resolution"},
      {160, "PIP3 Input Source Is  Signal Off"},
      {-1, ""},
      {UiStrings::kCount, ""},
  };
  for (const auto& [index, text] : cases) {
    EXPECT_EQ(UiStrings::Builtin(index), text) << index;
  }
  for (int i = 0; i < UiStrings::kCount; ++i) EXPECT_FALSE(UiStrings::Builtin(i).empty()) << i;
}

TEST(UiStringsTest, TableStartsBuiltinAndIgnoresIndexesOutOfRange) {
  UiStrings strings;
  for (int i = 0; i < UiStrings::kCount; ++i) EXPECT_EQ(strings.Get(i), UiStrings::Builtin(i));

  strings.Set(-1, "x");
  strings.Set(UiStrings::kCount, "x");
  strings.Set(7, "Sync");
  EXPECT_EQ(strings.Get(-1), "");
  EXPECT_EQ(strings.Get(UiStrings::kCount), "");
  EXPECT_EQ(strings.Get(7), "Sync");
}

}  // namespace
}  // namespace qv::test
