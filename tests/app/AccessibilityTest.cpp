// What a screen reader or a GUI test tool finds in the console: every control
// a person can operate has a role and a name, every page is a named
// container, and the window can be driven through those interfaces alone.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleEditableTextInterface>
#include <QCoreApplication>
#include <QWidget>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/ZulanDlg.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"
#include "widgets/ZBaseDialog.h"

namespace qv {
namespace {

bool Operable(QAccessible::Role role) {
  static const std::set<QAccessible::Role> roles = {
      QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton,
      QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::SpinBox,
      QAccessible::Slider,     QAccessible::Button,       QAccessible::ButtonMenu};
  return roles.count(role) > 0;
}

std::string Describe(QAccessibleInterface* iface) {
  QObject* object = iface->object();
  std::string where;
  for (QObject* o = object; o; o = o->parent()) {
    where = std::string(o->metaObject()->className()) + "/" + where;
  }
  return where + " role " + std::to_string(iface->role());
}

// Every interface under `root`, depth first.
void Walk(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit) {
  visit(root);
  for (int i = 0; i < root->childCount(); ++i) {
    if (QAccessibleInterface* child = root->child(i)) Walk(child, visit);
  }
}

class AccessibilityTest : public ::testing::Test {
 protected:
  AccessibilityTest()
      : link(new test::RecordingLink),
        window(std::unique_ptr<CommLink>(link),
               SettingsLocation(dir.path(), true, SettingsLocation::Environment{})) {
    window.SetPrompts({[](const QString&) {}, [](const QString&) { return true; }});
    window.Start("en_US", std::filesystem::path(QV_SOURCE_DIR) / "lang");
  }
  ~AccessibilityTest() override { window.close(); }

  test::TempDir dir;
  test::RecordingLink* link;  // owned by the window
  ZulanDlg window;
};

TEST_F(AccessibilityTest, EveryOperableControlOfTheWindowAndItsPagesHasAName) {
  for (const bool chinese : {false, true}) {
    window.SwitchLanguage(chinese ? ControlColumn::Language::Chinese
                                  : ControlColumn::Language::English);
    std::vector<std::string> nameless;
    int operable = 0;
    Walk(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface* iface) {
      if (!Operable(iface->role())) return;
      ++operable;
      if (iface->text(QAccessible::Name).trimmed().isEmpty()) nameless.push_back(Describe(iface));
    });
    EXPECT_GT(operable, 40) << "the walk reached the window's controls";
    EXPECT_EQ(nameless, std::vector<std::string>{}) << (chinese ? "Chinese" : "English");
  }
}

TEST_F(AccessibilityTest, EveryPageIsAContainerNamedByItsTitleOrButton) {
  std::vector<std::string> nameless;
  for (ZBaseDialog* page : window.findChildren<ZBaseDialog*>()) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(page);
    ASSERT_NE(iface, nullptr);
    if (iface->text(QAccessible::Name).isEmpty()) nameless.push_back(Describe(iface));
    if (page->hasTitleBand()) EXPECT_EQ(iface->text(QAccessible::Name), page->title());
  }
  EXPECT_EQ(nameless, std::vector<std::string>{});
}

}  // namespace
}  // namespace qv
