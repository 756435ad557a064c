#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "pages/connect/MachineTiles.h"
#include "support/RecordingLink.h"

namespace qv {
namespace {

struct Fixture {
  Fixture()
      : list(encoder, [](const std::array<uint8_t, 6>&,
                         std::size_t n) { return "QV41X-" + std::to_string(n + 1); }),
        tiles(list) {
    tiles.resize(900, 400);
    list.AddFound("10.0.0.7", {0, 0});
    list.AddFound("10.0.0.8", {0, 0x100});
  }
  DeviceModel model;
  test::RecordingLink link;
  CommandEncoder encoder{model, link};
  MachineList list;
  MachineTiles tiles;
};

TEST(MachineTiles, ClicksSelectRenameAndConnect) {
  Fixture f;
  QSignalSpy renamed(&f.tiles, &MachineTiles::renamed);
  QSignalSpy connects(&f.tiles, &MachineTiles::connectRequested);
  QTest::mouseClick(&f.tiles, Qt::LeftButton, {}, QPoint(300, 90));  // second tile
  EXPECT_TRUE(f.list.entries()[1].selected);
  EXPECT_FALSE(f.list.entries()[0].selected);

  const QRect spot = MachineTiles::RenameSpot(f.list.entries()[0].tile);
  QTest::mouseClick(&f.tiles, Qt::LeftButton, {}, spot.center());
  auto* box = f.tiles.findChild<QLineEdit*>();
  ASSERT_TRUE(box && !box->isHidden());
  EXPECT_EQ(box->text(), "QV41X-1");
  box->setText("Front of house");        // longer than the box takes
  QTest::keyClick(box, Qt::Key_Escape);  // Esc keeps the name, as Enter does
  ASSERT_EQ(renamed.count(), 1);
  EXPECT_EQ(f.list.entries()[0].name, box->text().toStdString());
  EXPECT_LE(box->text().size(), MachineTiles::kMaxNameLength);

  QTest::mouseDClick(&f.tiles, Qt::LeftButton, {}, QPoint(100, 90));
  ASSERT_EQ(connects.count(), 1);
  EXPECT_EQ(connects[0][0].toInt(), 0);
  EXPECT_TRUE(connects[0][1].toBool());
  EXPECT_EQ(f.tiles.TileAt(QPoint(5, 5)), -1);
}

}  // namespace
}  // namespace qv
