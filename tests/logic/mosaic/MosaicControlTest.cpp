#include "logic/mosaic/MosaicControl.h"

#include <gtest/gtest.h>

#include "support/RecordingLink.h"

namespace qv {
namespace {

using Cell = MosaicControl::Cell;
using Field = MosaicControl::CellField;

constexpr int kSetMosaicCell = 6, kQueryWindowGeometry = 54, kQueryMosaicCell = 56,
              kRequest57 = 57, kQueryKeyer = 59, kRequest73 = 73;

struct Fixture {
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  MosaicControl control{encoder};
  // Type and first payload byte of each command sent.
  std::vector<std::pair<int, int>> Sent() const {
    std::vector<std::pair<int, int>> sent;
    for (const auto& c : link.sent) sent.emplace_back(c.type, c.payload[0]);
    return sent;
  }
};

TEST(MosaicControl, ACommittedCellStaysInsideItsTotals) {
  struct Case {
    const char* name;
    Cell typed;
    Field field;
    Cell committed;
  };
  const Case cases[] = {
      {"H total below the width shrinks it and the start",
       {300, 0, 1920, 1080, 1000, 1080}, Field::HTotal, {0, 0, 1000, 1080, 1000, 1080}},
      {"V total below the height", {0, 500, 1920, 1080, 1920, 600}, Field::VTotal,
       {0, 0, 1920, 600, 1920, 600}},
      {"H start past the total less the width", {1500, 0, 1000, 1080, 1920, 1080}, Field::HStart,
       {920, 0, 1000, 1080, 1920, 1080}},
      {"V start", {0, 900, 1920, 400, 1920, 1080}, Field::VStart, {0, 680, 1920, 400, 1920, 1080}},
      {"width past the total less the start", {1000, 0, 1500, 1080, 1920, 1080}, Field::Width,
       {1000, 0, 920, 1080, 1920, 1080}},
      {"height", {0, 100, 1920, 1080, 1920, 1080}, Field::Height, {0, 100, 1920, 980, 1920, 1080}},
      {"a fitting cell is kept", {10, 20, 800, 600, 1920, 1080}, Field::Width,
       {10, 20, 800, 600, 1920, 1080}},
      {"a start never goes below 0", {50, 0, 3000, 1080, 1920, 1080}, Field::HStart,
       {0, 0, 3000, 1080, 1920, 1080}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MosaicControl::Committed(c.typed, c.field), c.committed);
  }
}

TEST(MosaicControl, SwitchingOnAsksForTheCellsAndWindowsAgain) {
  Fixture f;
  f.model.rec.LogoUsage = 1;
  EXPECT_TRUE(f.control.Switch(true, 4, 2));  // "Panel x 4"
  EXPECT_EQ(f.model.rec.MosaicMode, 5);
  EXPECT_EQ(f.model.rec.LogoUsage, 0);
  EXPECT_EQ(f.model.MosaicPageA, MosaicControl::kNoArrangement);
  EXPECT_EQ(f.Sent(), (std::vector<std::pair<int, int>>{
                          {kQueryKeyer, 1},        {kQueryKeyer, 3},
                          {kSetMosaicCell, 0},     {kQueryMosaicCell, 0},
                          {kQueryMosaicCell, 1},   {kQueryMosaicCell, 2},
                          {kQueryMosaicCell, 3},   {kRequest57, 0x55},
                          {kQueryWindowGeometry, 0}, {kQueryWindowGeometry, 1},
                          {kQueryWindowGeometry, 2}, {kQueryWindowGeometry, 3}}));
  EXPECT_EQ(f.link.sent[2].payload[1], 5);  // the mode
  EXPECT_EQ(f.link.sent[2].payload[3], 2);  // the cell

  Fixture off;
  EXPECT_FALSE(off.control.Switch(false, 4, 0));
  EXPECT_EQ(off.model.rec.MosaicMode, 0);
  EXPECT_EQ(off.link.SentTypes(),
            (std::vector<int>{kQueryKeyer, kQueryKeyer, kSetMosaicCell, kRequest57,
                              kQueryWindowGeometry, kQueryWindowGeometry, kQueryWindowGeometry,
                              kQueryWindowGeometry}));
}

TEST(MosaicControl, PanelsArrangementsAndTheCellReset) {
  Fixture f;
  f.model.rec.LogoUsage = 1;
  EXPECT_FALSE(f.control.ChoosePanels(1, 0));  // "Panel x 2" keeps the logo
  EXPECT_EQ(f.model.rec.LogoUsage, 1);
  EXPECT_EQ(f.link.SentTypes(),
            (std::vector<int>{kSetMosaicCell, kRequest73, kQueryKeyer, kQueryKeyer}));
  EXPECT_EQ(f.link.sent[2].payload[0], 3);
  EXPECT_TRUE(f.control.ChoosePanels(4, 0));
  EXPECT_EQ(f.model.rec.LogoUsage, 0);

  f.link.sent.clear();
  f.control.ChooseArrangement(6);
  ASSERT_EQ(f.link.sent.size(), 1u);
  EXPECT_EQ(f.link.sent[0].payload[0], 1);  // operation 1
  EXPECT_EQ(f.link.sent[0].payload[2], 6);
  EXPECT_EQ(f.model.rec.MosaicAutoArr, 6);

  f.control.ResetCell(3);
  ASSERT_EQ(f.link.sent.size(), 2u);
  EXPECT_EQ(f.link.sent[1].payload[28], 1);  // a reset, once
  EXPECT_EQ(f.model.MosaicPageB, 0);
  EXPECT_EQ(f.control.CellOf(3), (Cell{0, 0, 1920, 1080, 1920, 1080}));

  EXPECT_EQ(MosaicControl::ArrangementsOf(1), std::vector<int>{});
  EXPECT_EQ(MosaicControl::DefaultArrangement(3), 0);
  EXPECT_EQ(MosaicControl::DefaultArrangement(4), 2);
  EXPECT_EQ(MosaicControl::DefaultArrangement(5), 5);
  EXPECT_EQ(MosaicControl::DefaultArrangement(1), MosaicControl::kNoArrangement);
  EXPECT_EQ(MosaicControl::PanelsOf(5).size(), 4u);
  EXPECT_TRUE(MosaicControl::PanelsOf(9).empty());
}

}  // namespace
}  // namespace qv
