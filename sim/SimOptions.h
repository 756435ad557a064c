#pragma once
// qvsim's command line.

#include <optional>
#include <string>

namespace qv::sim {

struct SimOptions {
  std::string listen = "127.0.0.1";
  int port = 61213;
  bool discovery = true;  // answer searches on UDP port 61213 of the listen address
  std::string serial;     // symlink to create for the pty serial line
  int serialAddress = 110;
  std::string mac = "02:51:56:00:00:01";
  std::string name = "QVSIM";
  std::string state;    // project file with the starting record
  std::string preview;  // .h264 file to stream instead of the test picture
  bool previewStream = true;
  int packagePort = 8877;  // encoder package receiver; 0 turns it off
  std::string trace;       // JSON lines of every frame received
  bool compositeBoard = false;

  // Fault switches.
  int dropAfter = 0;     // close a link after this many frames received
  int garbageEvery = 0;  // put garbage bytes before every n-th frame sent
  int delayMs = 0;       // hold every reply back this long
  bool withholdAcks = false;
  bool withholdBlockAcks = false;
  bool failPackage = false;
};

struct SimParseResult {
  std::optional<SimOptions> options;
  std::string error;
  bool help = false;
};

SimParseResult ParseSimOptions(int argc, char** argv);
const char* SimUsage();

}  // namespace qv::sim
