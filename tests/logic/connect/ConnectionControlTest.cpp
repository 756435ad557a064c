#include <gtest/gtest.h>

#include "logic/connect/ConnectionControl.h"
#include "support/RecordingLink.h"
#include "support/TempDir.h"

namespace qv {
namespace {

class RefusingLink : public test::RecordingLink {
 public:
  int CommOpenSerial(const std::string& port, int baud) override {
    opened = port;
    openedBaud = baud;
    return accept ? 1 : 0;
  }
  bool accept = true;
  std::string opened;
  int openedBaud = 0;
};

struct Fixture {
  test::TempDir dir;
  DeviceModel model;
  RefusingLink link;
  CommandEncoder encoder{model, link};
  InfoSettings settings{dir.path() / "Info.ini"};
  ConnectionControl control{encoder, settings};
};

TEST(ConnectionControl, ThePortListStartsOnTheRememberedPort) {
  struct Case {
    const char* remembered;
    std::vector<std::string> ports;
    int selected;
  };
  const Case cases[] = {{"", {"ttyS0", "ttyUSB0"}, 0},
                        {"ttyUSB0", {"ttyS0", "ttyUSB0"}, 1},
                        {"ttyUSB7", {"ttyS0", "ttyUSB0"}, 0},
                        {"ttyUSB0", {}, -1}};
  for (const Case& c : cases) {
    Fixture f;
    if (*c.remembered) f.settings.SetSerialLink(c.remembered);
    f.control.RefreshPorts(c.ports);
    EXPECT_EQ(f.control.selected(), c.selected) << c.remembered;
  }
}

TEST(ConnectionControl, OpeningTheSerialLineReadsTheProcessorAndRemembersThePort) {
  Fixture f;
  f.control.RefreshPorts({"ttyS0", "ttyUSB0"});
  f.control.Select(1);
  const auto opened = f.control.OpenSerial(999999);
  EXPECT_EQ(f.link.opened, "/dev/ttyUSB0");
  EXPECT_EQ(f.link.openedBaud, ConnectionControl::kMaxBaud);
  EXPECT_EQ(f.link.addresses, std::vector<uint8_t>{255});
  EXPECT_TRUE(opened.lamp && opened.showReadingNotice && opened.switchedToSerial);
  EXPECT_EQ(f.link.SentTypes(), std::vector<int>{0});
  EXPECT_EQ(f.settings.SerialPort(), "ttyUSB0");
  EXPECT_EQ(f.settings.SerialTimeout(), "1");
  EXPECT_FALSE(f.control.OpenSerial(115200).switchedToSerial);  // already in serial mode

  Fixture refused;
  refused.link.accept = false;
  refused.control.RefreshPorts({"ttyS0"});
  const auto failed = refused.control.OpenSerial(115200);
  EXPECT_TRUE(failed.connectFailed);
  EXPECT_FALSE(failed.lamp);
  EXPECT_TRUE(refused.link.sent.empty());
  EXPECT_EQ(refused.settings.SerialPort(), "");
  EXPECT_EQ(refused.model.NetworkMode, 1);
}

TEST(ConnectionControl, UnpluggingTheOpenPortClosesTheLine) {
  Fixture f;
  f.control.RefreshPorts({"ttyUSB0", "ttyUSB1"});
  f.control.OpenSerial(115200);
  // Another adapter goes: the line stays, the choice too.
  f.control.PortsChanged({"ttyUSB0"});
  EXPECT_TRUE(f.control.serialOpen());
  EXPECT_EQ(f.control.selected(), 0);
  const auto gone = f.control.PortsChanged({"ttyS0"});
  EXPECT_FALSE(f.control.serialOpen());
  EXPECT_TRUE(gone.lampChanged);
  EXPECT_FALSE(gone.lamp);
  // It comes back: with no line open, the remembered port is chosen again.
  f.control.PortsChanged({"ttyS0", "ttyUSB0"});
  EXPECT_EQ(f.control.selected(), 1);
}

TEST(ConnectionControl, MalformedDestinationsDoNothing) {
  Fixture f;
  EXPECT_FALSE(f.control.OpenHost("192.168..110"));
  EXPECT_TRUE(f.control.OpenHost("192.168.1.110."));
  EXPECT_FALSE(f.control.CloseHost("1234.1.1.1"));
}

}  // namespace
}  // namespace qv
