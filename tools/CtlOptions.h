#pragma once
// qvctl's command line.

#include <optional>
#include <string>
#include <vector>

namespace qv::ctl {

struct CtlOptions {
  std::string host;  // network link to this processor
  int port = 61213;
  std::string serial;  // or a serial line
  int baud = 115200;
  std::string project;  // model to send from (send)
  bool pull = false;    // read the processor's state before the command (send)
  std::vector<std::string> searchTargets;
  int timeoutMs = 5000;
  std::string command;
  std::vector<std::string> args;
  // Numbers the command takes, checked and converted by the parser.
  std::vector<int> numbers;
};

struct ParseResult {
  std::optional<CtlOptions> options;
  std::string error;  // one line; empty with options
  bool help = false;
};

ParseResult ParseCtlOptions(const std::vector<std::string>& argv);
const char* CtlUsage();

}  // namespace qv::ctl
