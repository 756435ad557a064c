#include <gtest/gtest.h>

#include "logic/shell/PresetControl.h"
#include "support/RecordingLink.h"

namespace qv {
namespace {

using List = PresetControl::List;
using Outcome = PresetControl::Outcome;

struct Case {
  const char* name;
  List list;
  int number;
  bool valid;
  bool save;
  Outcome outcome;
  std::vector<std::pair<int, std::vector<uint8_t>>> sent;  // type, leading payload bytes
};

TEST(PresetControl, LoadAndSaveSendWhatTheListCallsFor) {
  const Case cases[] = {
      {"load stored preset",
       List::Presets,
       3,
       true,
       false,
       Outcome::Waiting,
       {{1, {1, 3}}, {0, {}}}},
      {"load empty preset", List::Presets, 3, false, false, Outcome::Invalid, {}},
      {"load template", List::Templates, 9, false, false, Outcome::Waiting, {{1, {0, 9}}, {0, {}}}},
      {"save preset", List::Presets, 0, false, true, Outcome::Saved, {{1, {2, 0}}}},
      {"save template", List::Templates, 5, false, true, Outcome::Saved, {{1, {0, 5}}}},
      {"nothing chosen", List::Presets, -1, true, false, Outcome::NothingChosen, {}},
  };
  for (const Case& c : cases) {
    DeviceModel model;
    test::RecordingLink link;
    CommandEncoder encoder(model, link);
    PresetControl presets(encoder);
    presets.SetList(c.list);
    presets.Choose(c.number);
    if (c.number >= 0) model.PresetValid[c.number] = c.valid;
    EXPECT_EQ(c.save ? presets.Save() : presets.Load(), c.outcome) << c.name;
    ASSERT_EQ(link.sent.size(), c.sent.size()) << c.name;
    for (std::size_t i = 0; i < c.sent.size(); ++i) {
      EXPECT_EQ(link.sent[i].type, c.sent[i].first) << c.name;
      for (std::size_t b = 0; b < c.sent[i].second.size(); ++b) {
        EXPECT_EQ(link.sent[i].payload[b], c.sent[i].second[b]) << c.name;
      }
    }
    if (c.save) {
      EXPECT_TRUE(model.PresetValid[c.number]) << c.name;
    }
  }
}

TEST(PresetControl, RemembersTheLastPresetPerSwitcherMode) {
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder(model, link);
  PresetControl presets(encoder);
  model.PresetValid[2] = model.PresetValid[7] = 1;
  model.rec.PvwMode = 1;
  presets.Choose(2);
  presets.Load();
  model.rec.PvwMode = 2;
  presets.Choose(7);
  presets.Load();
  presets.SetList(List::Templates);
  presets.Choose(4);
  presets.Load();  // templates are not remembered
  EXPECT_EQ(presets.LastLoaded(0), -1);
  EXPECT_EQ(presets.LastLoaded(1), 2);
  EXPECT_EQ(presets.LastLoaded(2), 7);
  EXPECT_EQ(presets.LastLoaded(9), -1);
}

}  // namespace
}  // namespace qv
