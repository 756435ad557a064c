#pragma once
// Runs the qvsim program for an end-to-end test and stops it at the end.

#include <sys/types.h>

#include <string>
#include <vector>

namespace qv::e2e {

class SimProcess {
 public:
  // Starts qvsim with `args` and waits until it listens; port() tells where.
  explicit SimProcess(std::vector<std::string> args);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool running() const { return pid_ > 0 && port_ > 0; }
  int port() const { return port_; }
  // Kills it without warning, as a processor losing power.
  void Kill();

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

// Runs a program to its end; returns its exit code and what it printed.
struct ProgramResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};
ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& args);

}  // namespace qv::e2e
