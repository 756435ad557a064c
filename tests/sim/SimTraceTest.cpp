#include "SimTrace.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qv::sim {
namespace {

TEST(SimTrace, WritesOneJsonObjectPerLine) {
  std::ostringstream out;
  SimTrace trace(out);
  Payload p;
  p.fill(0x55);
  p[0] = 0xAB;
  p[31] = 0x01;
  trace.Command(7, 110, p);
  DeviceStatusRecord rec{};
  rec.ResoIndex = 10;
  trace.Record(110, rec);
  trace.Block(1292, 228);
  trace.TaskFired(3, 1);

  std::istringstream lines(out.str());
  std::string command, record, block, task;
  std::getline(lines, command);
  std::getline(lines, record);
  std::getline(lines, block);
  std::getline(lines, task);
  EXPECT_EQ(command,
            R"({"dir":"rx","type":7,"addr":110,"payload":"ab)" + std::string(60, '5') + R"(01"})");
  const std::string head = R"({"dir":"rx","type":22,"addr":110,"record":"0a000000)";
  EXPECT_EQ(record.substr(0, head.size()), head);
  EXPECT_EQ(record.size(), head.size() - 8 + 2 * kDeviceRecordSize + 2);
  EXPECT_EQ(block, R"({"dir":"rx","type":"block","block":1292,"len":228})");
  EXPECT_EQ(task, R"({"dir":"task","task":3,"preset":1})");
}

}  // namespace
}  // namespace qv::sim
