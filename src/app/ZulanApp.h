#pragma once
// The application: settings location, language, the main window for the
// whole run, and the one command-line argument the console reads.

#include <optional>
#include <string>
#include <vector>

#include "link/CommLink.h"

namespace qv {

class ZulanApp {
 public:
  struct Target {
    std::string host;
    int port = kDefaultLinkPort;
  };
  // "--connect HOST[:PORT]"; nothing else is read. Returns nullopt and sets
  // *error for anything it does not understand.
  static std::optional<std::optional<Target>> ParseArguments(const std::vector<std::string>& args,
                                                             std::string* error);

  int Run(int argc, char** argv);
};

}  // namespace qv
