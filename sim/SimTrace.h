#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>

#include "link/CommLink.h"
#include "link/DeviceStatusRecord.h"

namespace qv::sim {

// Writes what the processor receives, and the tasks it runs, as JSON lines, one object per line,
// flushed at once so a test or an operator can follow the file while the
// simulator runs. Callable from any thread.
class SimTrace {
 public:
  explicit SimTrace(std::ostream& out) : out_(out) {}

  void Command(int type, uint8_t address, const Payload& payload);
  void Record(uint8_t address, const DeviceStatusRecord& record);
  void Block(int block, std::size_t length);
  // An encoder package the package receiver took whole.
  void Package(std::size_t length);
  // What the processor did of its own: scheduled task `task` recalled `preset`.
  void TaskFired(int task, int preset);

 private:
  void Line(const std::string& line);

  std::mutex mutex_;
  std::ostream& out_;
};

}  // namespace qv::sim
