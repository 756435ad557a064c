#include "logic/output/OutputControl.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "support/RecordingLink.h"

namespace qv {
namespace {

using Field = OutputControl::WindowField;
using Size = OutputControl::WindowSize;

constexpr int kSetOutputTiming = 2, kSetWindowGeometry = 4, kQueryGeometry = 54, kRequest58 = 58,
              kRequest60 = 60, kCaptionQuery = 70;
// What a bare request carries.
constexpr int kFill = 0x55;

struct Fixture {
  Fixture() {
    model.rec.ResoIndex = 10;
    model.rec.HReso = 1920;
    model.rec.VReso = 1080;
    model.rec.Fps = 6000;
  }
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  OutputControl control{encoder};

  // Type and first payload byte of each command sent.
  std::vector<std::pair<int, int>> Sent() const {
    std::vector<std::pair<int, int>> sent;
    for (const auto& c : link.sent) sent.emplace_back(c.type, c.payload[0]);
    return sent;
  }
};

TEST(OutputControl, AFixedResolutionIsSentWithTheQueriesItsSizeCallsFor) {
  struct Case {
    const char* name;
    int pvwMode;
    int logoUsage;
    std::vector<std::pair<int, int>> sent;
  };
  const std::vector<std::pair<int, int>> timing = {{kSetOutputTiming, 6},
                                                   {kQueryGeometry, 0},
                                                   {kQueryGeometry, 1},
                                                   {kQueryGeometry, 2},
                                                   {kQueryGeometry, 3}};
  const auto with = [&](std::vector<std::pair<int, int>> tail) {
    auto all = timing;
    all.insert(all.end(), tail.begin(), tail.end());
    return all;
  };
  const Case cases[] = {
      {"plain", 0, 0, with({{kCaptionQuery, 0}})},
      {"preview/program", 1, 0, with({{kRequest60, kFill}, {kCaptionQuery, 0}})},
      {"logo in use", 0, 1, with({{kRequest58, kFill}, {kCaptionQuery, 0}})},
      {"both", 2, 1, with({{kRequest60, kFill}, {kRequest58, kFill}, {kCaptionQuery, 0}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.model.rec.PvwMode = c.pvwMode;
    f.model.rec.LogoUsage = static_cast<uint8_t>(c.logoUsage);
    ASSERT_TRUE(f.control.SelectResolution(6, true));  // 1600 x 1200 60 Hz
    EXPECT_EQ(f.Sent(), c.sent);
    EXPECT_EQ(f.model.rec.ResoIndex, 6);
    EXPECT_EQ(f.model.rec.HReso, 1600);
    EXPECT_EQ(f.model.rec.VReso, 1200);
    EXPECT_EQ(f.model.rec.Fps, 6000);
  }
}

TEST(OutputControl, TheCustomisedEntryChangesNothingUntilApply) {
  Fixture f;
  f.model.ResoPresets[OutputControl::kCustomised] = {2560, 1440, 3000, "Customized  Resolution"};
  EXPECT_TRUE(f.control.SelectResolution(OutputControl::kCustomised, true));
  EXPECT_TRUE(f.link.sent.empty());
  EXPECT_EQ(f.model.rec.ResoIndex, 10);
  EXPECT_EQ(f.model.rec.HReso, 1920);
  // Unknown entries from the wire are refused; the list shows them as customised.
  EXPECT_FALSE(f.control.SelectResolution(19, true));
  EXPECT_FALSE(f.control.SelectResolution(-1, false));
  f.model.rec.ResoIndex = 40;
  EXPECT_EQ(f.control.ShownResolution(), OutputControl::kCustomised);
  EXPECT_EQ(f.control.EntryOf(40).h, 2560);
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(OutputControl, ApplySendsTheCustomisedTimingWithTheHiddenSection) {
  Fixture f;
  f.model.rec.PvwMode = 1;
  OutputControl::Customised c;
  c.active = {2560, 1440, 59.94};
  c.timing = {.hTotal = 2720, .vTotal = 1481, .hSync = 32, .vSync = 5, .hbp = 80, .vbp = 33};
  c.hPol = 1;
  c.vPol = 0;
  c.more = false;
  f.control.Apply(c);
  const auto& sent = f.link.sent;
  ASSERT_EQ(f.link.SentTypes(), (std::vector<int>{kSetOutputTiming, kQueryGeometry, kQueryGeometry,
                                                  kQueryGeometry, kQueryGeometry, kRequest60}));
  // Index, width, height, rate, then H total, sync, porch and V total, sync,
  // porch, the polarities and whether the section was open, little-endian.
  const std::vector<uint8_t> expected = {18,   0x00, 0x0a, 0xa0, 0x05, 0x6a, 0x17, 0xa0,
                                         0x0a, 32,   0,    80,   0,    0xc9, 0x05, 5,
                                         0,    33,   0,    1,    0,    0};
  EXPECT_EQ(std::vector<uint8_t>(sent[0].payload.begin(), sent[0].payload.begin() + 22), expected);
  EXPECT_EQ(f.model.ResoPresets[18].rate, 5994);
  EXPECT_EQ(f.model.OutputAux, 0);

  c.more = true;
  f.control.Apply(c);
  EXPECT_EQ(f.link.sent[6].payload[21], 1);
}

TEST(OutputControl, TheCustomisedEntryKeepsWhatTheProcessorRuns) {
  Fixture f;
  f.model.rec.ResoIndex = 18;
  f.model.rec.HReso = 3840;
  f.model.rec.VReso = 600;
  f.model.rec.Fps = 5000;
  f.control.KeepCustomisedEntry();
  EXPECT_EQ(f.control.EntryOf(18), (OutputTimingLimits::Active{3840, 600, 50.0}));
  f.model.rec.ResoIndex = 10;
  f.model.rec.HReso = 1;
  f.control.KeepCustomisedEntry();
  EXPECT_EQ(f.control.EntryOf(18).h, 3840);
}

TEST(OutputControl, WindowFieldsStayInsideTheOutputTheFieldsShow) {
  struct Case {
    const char* name;
    Field field;
    int value;
    int hActive, vActive;
    int written;
  };
  // Window 2 at 600,300 and 1000 x 500.
  const Case cases[] = {
      {"H start limited by the H Active field", Field::HStart, 1500, 1920, 1080, 920},
      {"H start that fits", Field::HStart, 900, 1920, 1080, 900},
      {"H start of a window wider than the output", Field::HStart, 10, 800, 1080, 0},
      {"V start", Field::VStart, 700, 1920, 1080, 580},
      {"width", Field::Width, 1400, 1920, 1080, 1320},
      {"width past the output's edge keeps a pixel", Field::Width, 1400, 600, 1080, 1},
      {"height", Field::Height, 900, 1920, 1080, 780},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    ChnlData& ch = f.model.rec.Chnl[2];
    ch.HPos = 600;
    ch.VPos = 300;
    ch.HAct = 1000;
    ch.VAct = 500;
    EXPECT_EQ(f.control.SetWindowField(2, c.field, c.value, c.hActive, c.vActive), c.written);
    ASSERT_EQ(f.Sent(), (std::vector<std::pair<int, int>>{{kSetWindowGeometry, 2}}));
    const int stored[] = {ch.HPos, ch.VPos, ch.HAct, ch.VAct};
    EXPECT_EQ(stored[static_cast<int>(c.field)], c.written);
  }
}

TEST(OutputControl, FullHalfAndQuarterScreen) {
  struct Case {
    const char* name;
    Size size;
    int hPos, vPos;
    ChnlData after;  // HPos, VPos, HAct, VAct
    int oneShot;
  };
  const Case cases[] = {
      {"full", Size::Full, 1200, 600, {.HPos = 0, .VPos = 0, .HAct = 1920, .VAct = 1080}, 1},
      {"half of a window on the right", Size::Half, 1200, 600,
       {.HPos = 960, .VPos = 0, .HAct = 960, .VAct = 1080}, 0},
      {"half of a window starting at the middle", Size::Half, 960, 0,
       {.HPos = 0, .VPos = 0, .HAct = 960, .VAct = 1080}, 0},
      {"quarter bottom right", Size::Quarter, 1200, 600,
       {.HPos = 960, .VPos = 540, .HAct = 960, .VAct = 540}, 0},
      {"quarter top left", Size::Quarter, 100, 540,
       {.HPos = 0, .VPos = 0, .HAct = 960, .VAct = 540}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    ChnlData& ch = f.model.rec.Chnl[1];
    ch.HPos = c.hPos;
    ch.VPos = c.vPos;
    ch.HAct = ch.VAct = 100;
    ASSERT_TRUE(f.control.SizeWindow(1, c.size));
    EXPECT_EQ(ch.HPos, c.after.HPos);
    EXPECT_EQ(ch.VPos, c.after.VPos);
    EXPECT_EQ(ch.HAct, c.after.HAct);
    EXPECT_EQ(ch.VAct, c.after.VAct);
    ASSERT_EQ(f.link.sent.size(), 1u);
    EXPECT_EQ(f.link.sent[0].payload[9], c.oneShot);
    EXPECT_EQ(f.model.WindowGeomOneShot[1], 0);  // the encoder clears it once sent
  }
  // An odd output: the halves round up.
  Fixture odd;
  odd.model.rec.HReso = 1365;
  odd.model.rec.VReso = 767;
  odd.control.SizeWindow(0, Size::Quarter);
  EXPECT_EQ(odd.model.rec.Chnl[0].HAct, 683);
  EXPECT_EQ(odd.model.rec.Chnl[0].VAct, 384);
  // Before the processor was read there is no output to fill.
  Fixture unread;
  unread.model.rec.HReso = 0;
  EXPECT_FALSE(unread.control.SizeWindow(0, Size::Full));
  EXPECT_TRUE(unread.link.sent.empty());
}

TEST(OutputControl, ARotationIsSentOnlyWhenItChanges) {
  Fixture f;
  f.model.rec.Chnl[3].ChnlRotation = 5;
  EXPECT_FALSE(f.control.SetRotation(3, 5));
  EXPECT_TRUE(f.link.sent.empty());
  EXPECT_TRUE(f.control.SetRotation(3, 6));
  ASSERT_EQ(f.link.sent.size(), 1u);
  EXPECT_EQ(f.link.sent[0].payload[0], 3);
  EXPECT_EQ(f.link.sent[0].payload[10], 6);
  EXPECT_FALSE(f.control.SetRotation(3, 8));
  EXPECT_FALSE(f.control.SetRotation(4, 1));
  EXPECT_EQ(f.link.sent.size(), 1u);
}

}  // namespace
}  // namespace qv
