#include <gtest/gtest.h>

#include <filesystem>

#include "project/InfoSettings.h"
#include "support/TempDir.h"

namespace qv {
namespace {

TEST(InfoSettings, FirstRunWithoutAFileGivesTheDefaults) {
  test::TempDir dir;
  InfoSettings s(dir.path() / "Info.ini");
  EXPECT_EQ(s.ProjectPath(), "");
  EXPECT_EQ(s.Language(), "");
  EXPECT_EQ(s.InputRemark(3), "");
  EXPECT_EQ(s.PresetName(0, 0), "0-0");
  EXPECT_EQ(s.PresetName(2, 9), "2-9");
  EXPECT_EQ(s.MachineName({0, 1, 2, 0xab, 0xcd, 0xef}, 2), "QV41X-3");
  EXPECT_FALSE(std::filesystem::exists(s.path()));  // reading creates nothing
}

TEST(InfoSettings, WritesReadBackUnderTheirSections) {
  test::TempDir dir;
  InfoSettings s(dir.path() / "Info.ini");
  const std::array<uint8_t, 6> mac = {0x00, 0x1a, 0x2b, 0x03, 0xff, 0x10};
  EXPECT_EQ(s.SetProjectPath("/data/show.pro"), "");
  EXPECT_EQ(s.SetLanguage("Chinese"), "");
  EXPECT_EQ(s.SetSerialLink("ttyUSB0"), "");
  EXPECT_EQ(s.SetInputRemark(11, " Stage Left "), "");
  EXPECT_EQ(s.SetPresetName(1, 4, "Opening"), "");
  EXPECT_EQ(s.SetMachineName(mac, "FOH wall"), "");

  InfoSettings again(s.path());
  EXPECT_EQ(again.ProjectPath(), "/data/show.pro");
  EXPECT_EQ(again.Language(), "Chinese");
  EXPECT_EQ(again.SerialPort(), "ttyUSB0");
  EXPECT_EQ(again.SerialTimeout(), "1");
  EXPECT_EQ(again.InputRemark(11), " Stage Left ");
  EXPECT_EQ(again.PresetName(1, 4), "Opening");
  EXPECT_EQ(again.MachineName(mac, 0), "FOH wall");
  EXPECT_EQ(InfoSettings::MacSection(mac), "0-1a-2b-3-ff-10");
}

TEST(InfoSettings, SerialDevicePathsAreKeptWhole) {
  test::TempDir dir;
  InfoSettings s(dir.path() / "Info.ini");
  s.SetSerialLink("/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
  EXPECT_EQ(s.SerialPort(), "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
}

}  // namespace
}  // namespace qv
