#include "logic/vga/VgaControl.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/RecordingLink.h"

namespace qv {
namespace {

constexpr int kSetVga = 14, kQueryVga = 49;
constexpr int kVgaSlot = 7, kDviSlot = 0;

class VgaControlTest : public ::testing::Test {
 protected:
  VgaControlTest() {
    model.rec.InputSrc[kDviSlot] = 4;
    model.rec.InputSrc[kVgaSlot] = VgaControl::kAnalogueCard;
  }
  // Type and first payload byte (and for SetVgaAdjust the second and third).
  std::vector<std::vector<int>> Sent() const {
    std::vector<std::vector<int>> sent;
    for (const auto& c : link.sent) {
      if (c.type == kSetVga) {
        sent.push_back({c.type, c.payload[0], c.payload[1], c.payload[2]});
      } else {
        sent.push_back({c.type, c.payload[0]});
      }
    }
    return sent;
  }
  void Show(int window, int input) {
    model.rec.Chnl[window].ChnlInput = static_cast<uint8_t>(input);
  }

  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  VgaControl control{encoder};
};

using Sends = std::vector<std::vector<int>>;

TEST_F(VgaControlTest, ThePageFollowsAnAnalogueInputAndUnlocksOnlyForWindowZero) {
  struct Case {
    const char* name;
    int window, input;
    bool followed, unlockable;
  };
  // Window 0 shows DVI-1 throughout, except where a case routes VGA to it.
  const Case cases[] = {
      {"DVI on window 0", 0, kDviSlot, false, false},
      {"VGA on PIP-2", 2, kVgaSlot, true, false},
      {"VGA on window 0", 0, kVgaSlot, true, true},
      {"an input code beyond the processor's", 1, 200, false, true},
      {"a window beyond the four", 7, kVgaSlot, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    link.sent.clear();
    if (c.window < kWindowCount) Show(c.window, c.input);
    EXPECT_EQ(control.Follow(c.window), c.followed);
    EXPECT_EQ(control.Unlockable(), c.unlockable);
    if (c.followed) {
      EXPECT_EQ(control.target(), kVgaSlot);
      EXPECT_EQ(Sent(), (Sends{{kQueryVga, kVgaSlot}}));
    } else {
      EXPECT_TRUE(link.sent.empty());
    }
  }
}

TEST_F(VgaControlTest, AfterAWholeReadTheFirstWindowWithAnAnalogueInputIsAdjusted) {
  Show(0, kDviSlot);
  Show(3, kVgaSlot);
  EXPECT_TRUE(control.FollowAny());
  EXPECT_EQ(control.target(), kVgaSlot);
  Show(3, kDviSlot);
  link.sent.clear();
  EXPECT_FALSE(control.FollowAny());
  EXPECT_TRUE(link.sent.empty());
}

TEST_F(VgaControlTest, EachOperationSendsItsGroupAndActionAndReadsTheInputAdjusted) {
  Show(1, kVgaSlot);
  control.Follow(1);
  link.sent.clear();
  control.AutoAdjust();
  control.Calibrate();
  control.ResetConverter();
  control.SetDdc(false);
  EXPECT_EQ(Sent(), (Sends{{kSetVga, 0, kVgaSlot, 1},
                           {kQueryVga, kVgaSlot},
                           {kSetVga, 1, kVgaSlot, 1},
                           {kSetVga, 1, kVgaSlot, 2},
                           {kQueryVga, kVgaSlot},
                           {kSetVga, 2, kVgaSlot, 0}}));
  EXPECT_TRUE(VgaControl::Unlocks(4936));
  EXPECT_FALSE(VgaControl::Unlocks(4937));
}

}  // namespace
}  // namespace qv
