#include "SimTrace.h"

namespace qv::sim {

namespace {

std::string Hex(const uint8_t* bytes, std::size_t n) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(2 * n);
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(kDigits[bytes[i] >> 4]);
    out.push_back(kDigits[bytes[i] & 0x0F]);
  }
  return out;
}

}  // namespace

void SimTrace::Command(int type, uint8_t address, const Payload& payload) {
  Line(R"({"dir":"rx","type":)" + std::to_string(type) + R"(,"addr":)" + std::to_string(address) +
       R"(,"payload":")" + Hex(payload.data(), payload.size()) + R"("})");
}

void SimTrace::Record(uint8_t address, const DeviceStatusRecord& record) {
  Line(R"({"dir":"rx","type":22,"addr":)" + std::to_string(address) + R"(,"record":")" +
       Hex(reinterpret_cast<const uint8_t*>(&record), sizeof record) + R"("})");
}

void SimTrace::Block(int block, std::size_t length) {
  Line(R"({"dir":"rx","type":"block","block":)" + std::to_string(block) + R"(,"len":)" +
       std::to_string(length) + "}");
}

void SimTrace::Package(std::size_t length) {
  Line(R"({"dir":"rx","type":"package","len":)" + std::to_string(length) + "}");
}

void SimTrace::TaskFired(int task, int preset) {
  Line(R"({"dir":"task","task":)" + std::to_string(task) + R"(,"preset":)" +
       std::to_string(preset) + "}");
}

void SimTrace::Line(const std::string& line) {
  std::lock_guard lock(mutex_);
  out_ << line << '\n';
  out_.flush();
}

}  // namespace qv::sim
