#include "widgets/AccessibleName.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <memory>
#include <string>

#include "widgets/CDropButton.h"
#include "widgets/CGdipButton.h"
#include "widgets/CSxGroupBox.h"
#include "widgets/oBitmapSlider.h"
#include "widgets/oRealEdit.h"
#include "widgets/oSliderEdit.h"

namespace qv {
namespace {

enum class Kind { Drop, Edit, PairSlider, PairBox, TextButton, PictureButton, Group };
// Where the control sits: with a label whose buddy it is, alone in a group
// captioned "Colour", or in neither.
enum class Place { Labelled, InGroup, Alone };

// The flags a test reads out of an accessible state, in a fixed order.
std::string Flags(const QAccessible::State& s) {
  std::string out;
  const auto add = [&](bool on, const char* name) {
    if (!on) return;
    if (!out.empty()) out += ' ';
    out += name;
  };
  add(s.disabled, "disabled");
  add(s.focusable, "focusable");
  add(s.editable, "editable");
  add(s.checkable, "checkable");
  add(s.checked, "checked");
  add(s.hasPopup, "popup");
  add(s.expandable, "expandable");
  add(s.expanded, "expanded");
  add(s.collapsed, "collapsed");
  return out;
}

// A window holding one control of `kind` at `place`. The window is never
// shown, so states read without "invisible" are the ones that matter.
struct Form {
  Form(Kind kind, Place place) {
    QWidget* host = &window;
    if (place != Place::Alone) host = new CSxGroupBox("Colour", &window);
    QWidget* named = nullptr;
    switch (kind) {
      case Kind::Drop: {
        auto* drop = new CDropButton(host);
        drop->AddEntry(" 4000K ", 0);
        drop->AddEntry(" 6500K ", 2);
        drop->SelectByValue(2);
        named = probed = drop;
        break;
      }
      case Kind::Edit: {
        auto* edit = new oRealEdit(host);
        edit->SetUp(42, 0, 100, true, NumberFormat::Int);
        named = probed = edit;
        break;
      }
      case Kind::PairSlider:
      case Kind::PairBox: {
        auto* pair = new oSliderEdit(host);
        pair->SetUp(2.5, 0, 5, true, NumberFormat::Fixed2);
        named = pair;
        probed = kind == Kind::PairSlider ? static_cast<QWidget*>(&pair->slider()) : &pair->box();
        break;
      }
      case Kind::TextButton:
      case Kind::PictureButton: {
        auto* button = new CGdipButton(kind == Kind::TextButton ? "Freeze" : "", host);
        if (kind == Kind::PictureButton) button->setToolTip("Freeze picture");
        button->SetState(true);
        named = probed = button;
        break;
      }
      case Kind::Group:
        named = probed = new CSxGroupBox(" Output ", host);
        break;
    }
    if (place == Place::Labelled) {
      label = new QLabel("&Temperature", host);
      label->setBuddy(named);
    }
  }

  QAccessibleInterface* Probed() const { return QAccessible::queryAccessibleInterface(probed); }

  QWidget window;
  QWidget* probed = nullptr;
  QLabel* label = nullptr;
};

TEST(AccessibleName, EveryControlHasARoleANameFromItsLabelAValueAndAState) {
  struct Case {
    const char* name;
    Kind kind;
    QAccessible::Role role;
    const char* value;
    const char* state;
    // The accessible name labelled, alone in the group, and in neither.
    const char* names[3];
  };
  const Case cases[] = {
      {"drop list",
       Kind::Drop,
       QAccessible::ComboBox,
       "6500K",
       "focusable popup expandable collapsed",
       {"Temperature", "Colour", ""}},
      {"numeric field",
       Kind::Edit,
       QAccessible::EditableText,
       "42",
       "focusable editable",
       {"Temperature", "Colour", ""}},
      // The pair's label names both halves; the slider reads out the box's value.
      {"slider of a pair",
       Kind::PairSlider,
       QAccessible::Slider,
       "2.50",
       "focusable",
       {"Temperature", "Colour", ""}},
      {"box of a pair",
       Kind::PairBox,
       QAccessible::EditableText,
       "2.50",
       "focusable editable",
       {"Temperature", "Colour", ""}},
      {"button with a caption",
       Kind::TextButton,
       QAccessible::CheckBox,
       "",
       "focusable checkable checked",
       {"Freeze", "Freeze", "Freeze"}},
      {"picture button",
       Kind::PictureButton,
       QAccessible::CheckBox,
       "",
       "focusable checkable checked",
       {"Freeze picture", "Freeze picture", "Freeze picture"}},
      {"group frame", Kind::Group, QAccessible::Grouping, "", "", {"Output", "Output", "Output"}},
  };
  for (const Case& c : cases) {
    for (const Place place : {Place::Labelled, Place::InGroup, Place::Alone}) {
      const int at = static_cast<int>(place);
      SCOPED_TRACE(std::string(c.name) + ", place " + std::to_string(at));
      Form form(c.kind, place);
      QAccessibleInterface* iface = form.Probed();
      ASSERT_NE(iface, nullptr);
      EXPECT_EQ(iface->role(), c.role);
      EXPECT_EQ(iface->text(QAccessible::Name), QString(c.names[at]));
      EXPECT_EQ(iface->text(QAccessible::Value), QString(c.value));
      EXPECT_EQ(Flags(iface->state()), c.state);
    }
  }
}

TEST(AccessibleName, NamesFollowLabelsAndCaptionsChangedAtRunTime) {
  Form labelled(Kind::Drop, Place::Labelled);
  QAccessibleInterface* drop = labelled.Probed();
  labelled.label->setText("&Farbtemperatur");  // a language switch re-texts the label
  EXPECT_EQ(drop->text(QAccessible::Name), "Farbtemperatur");
  labelled.label->setText("R&&D");
  EXPECT_EQ(drop->text(QAccessible::Name), "R&D");

  Form grouped(Kind::Edit, Place::InGroup);
  auto* group = qobject_cast<CSxGroupBox*>(grouped.probed->parentWidget());
  group->SetCaption("PIP-2 Colour");
  EXPECT_EQ(grouped.Probed()->text(QAccessible::Name), "PIP-2 Colour");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(group)->text(QAccessible::Name), "PIP-2 Colour");
}

TEST(AccessibleName, AnExplicitLabelOrNameComesBeforeTheBuddy) {
  Form form(Kind::Edit, Place::Labelled);
  QAccessibleInterface* edit = form.Probed();
  // A label without a buddy shows '&' as it is.
  auto* other = new QLabel("Gain && Offset", &form.window);
  SetAccessibleLabel(*form.probed, other);
  EXPECT_EQ(edit->text(QAccessible::Name), "Gain && Offset");
  EXPECT_EQ(LabelText(*form.probed), "Gain && Offset");

  form.probed->setAccessibleName("Red gain");
  EXPECT_EQ(edit->text(QAccessible::Name), "Red gain");
  EXPECT_EQ(LabelText(*form.probed), "Gain && Offset");

  form.probed->setAccessibleName("");
  delete other;
  EXPECT_EQ(edit->text(QAccessible::Name), "Temperature");
}

// A tool could otherwise write text the field's key filter refuses.
TEST(AccessibleName, TheNumericFieldIsReadButNotWrittenThroughAccessibility) {
  Form form(Kind::Edit, Place::Alone);
  QAccessibleInterface* edit = form.Probed();
  EXPECT_EQ(edit->editableTextInterface(), nullptr);
  edit->setText(QAccessible::Value, "abc");
  EXPECT_EQ(edit->text(QAccessible::Value), "42");

  QAccessibleTextInterface* text = edit->textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->characterCount(), 2);
  EXPECT_EQ(text->text(0, 2), "42");
  EXPECT_EQ(text->cursorPosition(), 2);
  text->setSelection(0, 0, 1);
  int start = -1, end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 1);
}

struct DropListFixture {
  DropListFixture() {
    drop.resize(120, 20);
    drop.AddEntry(" 4000K ", 0);
    drop.AddEntry(" 5000K ", 1, true);
    drop.AddEntry(" 6500K ", 2);
  }
  QAccessibleInterface* Drop() { return QAccessible::queryAccessibleInterface(&drop); }
  QAccessibleInterface* List() { return Drop()->child(0); }

  CDropButton drop;
  QSignalSpy chosen{&drop, &CDropButton::chosen};
};

TEST(AccessibleName, TheOpenListShowsItsEntriesAsItemsThatPressLikeAClick) {
  DropListFixture f;
  ASSERT_EQ(f.Drop()->childCount(), 1);
  QAccessibleInterface* list = f.List();
  EXPECT_EQ(list->role(), QAccessible::List);
  EXPECT_EQ(list->parent(), f.Drop());
  EXPECT_EQ(list->childCount(), 0);  // closed

  f.Drop()->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
  ASSERT_TRUE(f.drop.list().isVisible());
  EXPECT_TRUE(f.Drop()->state().expanded);
  EXPECT_FALSE(f.Drop()->state().collapsed);
  ASSERT_EQ(list->childCount(), 3);
  const struct {
    const char* name;
    bool disabled, selected;
  } items[] = {{"4000K", false, true}, {"5000K", true, false}, {"6500K", false, false}};
  for (int i = 0; i < 3; ++i) {
    QAccessibleInterface* item = list->child(i);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->role(), QAccessible::ListItem);
    EXPECT_EQ(item->text(QAccessible::Name), items[i].name);
    EXPECT_EQ(item->state().disabled, items[i].disabled) << i;
    EXPECT_EQ(item->state().selected, items[i].selected) << i;
    EXPECT_EQ(item->parent(), list);
    EXPECT_EQ(list->indexOfChild(item), i);
    EXPECT_EQ(item, list->child(i)) << "one interface per item";
  }

  const QString press = QAccessibleActionInterface::pressAction();
  list->child(1)->actionInterface()->doAction(press);  // greyed
  EXPECT_TRUE(f.drop.list().isVisible());
  EXPECT_EQ(f.chosen.size(), 0);

  list->child(2)->actionInterface()->doAction(press);
  EXPECT_FALSE(f.drop.list().isVisible());
  ASSERT_EQ(f.chosen.size(), 1);
  EXPECT_EQ(f.chosen[0][1].toInt(), 2);
  EXPECT_EQ(f.Drop()->text(QAccessible::Value), "6500K");
  EXPECT_TRUE(f.Drop()->state().collapsed);
  EXPECT_EQ(list->childCount(), 0);
}

}  // namespace
}  // namespace qv
