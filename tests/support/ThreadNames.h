#pragma once
// The names of the process's threads, as top -H and gdb show them.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qv::test {

inline std::vector<std::string> ThreadNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
    std::ifstream comm(task.path() / "comm");
    // A thread that ended while the folder was read leaves no file behind.
    if (std::string name; std::getline(comm, name)) names.push_back(name);
  }
  return names;
}

}  // namespace qv::test
