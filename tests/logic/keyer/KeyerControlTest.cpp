#include "logic/keyer/KeyerControl.h"

#include <gtest/gtest.h>

#include "support/RecordingLink.h"

namespace qv {
namespace {

using Keyer = KeyerControl::Keyer;

constexpr int kSetKeyer = 11;

struct Fixture {
  Fixture() {
    for (KeyerInfo& k : model.rec.Keyer) {
      k.KeyerGainIn = 20;
      k.KeyerGainOut = 30;
      k.KeyerGainBnd = 40;
    }
  }
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  KeyerControl control{encoder};
};

TEST(KeyerControl, AKeyerSwitchesOnOnlyWhileItsWindowIsOn) {
  struct Case {
    const char* name;
    Keyer keyer;
    int windowOn;  // the window the keyer works on
    bool on, accepted;
  };
  const Case cases[] = {
      {"PIP 3 off refuses", Keyer::Pip3, 0, true, false},
      {"PIP 3 on", Keyer::Pip3, 3, true, true},
      {"PIP 1 off refuses", Keyer::Pip1, 3, true, false},
      {"PIP 1 on", Keyer::Pip1, 1, true, true},
      {"off is always allowed", Keyer::Pip3, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    if (c.windowOn > 0) f.model.rec.Chnl[c.windowOn].ChnlOnOff = 1;
    EXPECT_EQ(f.control.Switch(c.keyer, c.on), c.accepted);
    ASSERT_EQ(f.link.sent.size(), c.accepted ? 1u : 0u);
    if (!c.accepted) continue;
    EXPECT_EQ(f.link.sent[0].type, kSetKeyer);
    EXPECT_EQ(f.link.sent[0].payload[0], c.on ? 1 : 0);
    EXPECT_EQ(f.link.sent[0].payload[31], KeyerControl::ChannelOf(c.keyer));
  }
}

TEST(KeyerControl, EveryChangeSendsTheWholeRecordOfItsKeyer) {
  Fixture f;
  f.control.SetValues(Keyer::Pip1, {1, 2, 3, 4, 5, 6, 70, 8, 300});
  ASSERT_EQ(f.link.sent.size(), 1u);
  const Payload& p = f.link.sent[0].payload;
  // The gains in and out take 0..64, the others 0..255.
  const std::vector<uint8_t> expected = {1, 2, 3, 4, 5, 6, 64, 8, 255};
  EXPECT_EQ(std::vector<uint8_t>(p.begin() + 2, p.begin() + 11), expected);
  EXPECT_EQ(p[31], 1);
  EXPECT_EQ(f.model.rec.Keyer[0].KeyerGainIn, 20);  // the other keyer is untouched

  f.control.Reset(Keyer::Pip3);
  const Payload& reset = f.link.sent[1].payload;
  EXPECT_EQ(reset[1], KeyerControl::kUserMode);
  EXPECT_EQ(std::vector<uint8_t>(reset.begin() + 2, reset.begin() + 11),
            (std::vector<uint8_t>{0, 255, 0, 255, 0, 255, 20, 30, 40}));
  EXPECT_EQ(reset[31], 3);
}

TEST(KeyerControl, TheFieldsAreOpenOnlyInTheUserModeOfAKeyerOn) {
  Fixture f;
  KeyerInfo& k = f.model.rec.Keyer[0];
  k.KeyerOnOff = 1;
  k.KeyerMode = 11;  // " Red On White1"
  EXPECT_FALSE(f.control.FieldsOpen(Keyer::Pip3));
  k.KeyerMode = 0;
  EXPECT_TRUE(f.control.FieldsOpen(Keyer::Pip3));
  k.KeyerOnOff = 0;
  EXPECT_FALSE(f.control.FieldsOpen(Keyer::Pip3));
  k.KeyerMode = 99;  // from the wire
  EXPECT_EQ(f.control.Mode(Keyer::Pip3), KeyerControl::kUserMode);
  f.control.ChooseMode(Keyer::Pip3, 13);
  EXPECT_TRUE(f.link.sent.empty());
}

}  // namespace
}  // namespace qv
