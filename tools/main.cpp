// qvctl: the console's link core without a window, for scripts and diagnostics.
#include <iostream>

#include "CtlOptions.h"
#include "CtlSession.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const qv::ctl::ParseResult parsed = qv::ctl::ParseCtlOptions(args);
  if (parsed.help) {
    std::cout << qv::ctl::CtlUsage();
    return 0;
  }
  if (!parsed.options) {
    std::cerr << "qvctl: " << parsed.error << "\n" << qv::ctl::CtlUsage();
    return qv::ctl::CtlSession::kUsage;
  }
  qv::ctl::CtlSession session(*parsed.options, std::cout, std::cerr);
  return session.Run();
}
