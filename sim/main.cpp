// qvsim: a simulated processor that speaks the console's link protocol.
#include <csignal>
#include <iostream>

extern "C" {
#include <libavutil/log.h>
}

#include "SimOptions.h"
#include "SimServer.h"

int main(int argc, char** argv) {
  // Whoever started us may stop reading our messages; that must not stop us.
  std::signal(SIGPIPE, SIG_IGN);
  av_log_set_level(AV_LOG_ERROR);
  const qv::sim::SimParseResult parsed = qv::sim::ParseSimOptions(argc, argv);
  if (parsed.help) {
    std::cout << qv::sim::SimUsage();
    return 0;
  }
  if (!parsed.options) {
    std::cerr << "qvsim: " << parsed.error << "\n" << qv::sim::SimUsage();
    return 2;
  }
  qv::sim::SimServer server(*parsed.options);
  if (const std::string error = server.Start(); !error.empty()) {
    std::cerr << "qvsim: " << error << "\n";
    return 1;
  }
  std::cerr << "qvsim: listening on " << parsed.options->listen << ":" << server.port() << "\n";
  server.Run();
  return 0;
}
