#include "SimOptions.h"

#include <charconv>
#include <string_view>

namespace qv::sim {

namespace {

std::optional<int> Number(std::string_view text, int lo, int hi) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < lo || value > hi) return std::nullopt;
  return value;
}

}  // namespace

const char* SimUsage() {
  return "usage: qvsim [--listen ADDR] [--port 61213] [--serial PATH] [--mac MAC] [--state "
         "FILE.pro]\n"
         "             [--preview FILE.h264] [--trace FILE] [options]\n"
         "options:\n"
         "  --name TEXT            name given in search answers (QVSIM)\n"
         "  --serial-address N     device address on the serial line (110)\n"
         "  --composite-board      fit the composite input board\n"
         "  --no-preview           do not stream the preview picture\n"
         "  --no-discovery         do not answer searches\n"
         "  --package-port N       encoder package receiver port (8877, 0 = off)\n"
         "fault switches:\n"
         "  --drop-after N         close a link after N frames received\n"
         "  --garbage-every N      send garbage bytes before every N-th frame\n"
         "  --delay-ms N           hold every reply back N milliseconds\n"
         "  --no-ack               withhold acknowledgements\n"
         "  --no-block-ack         withhold caption block acknowledgements\n"
         "  --fail-package         refuse every encoder package\n";
}

SimParseResult ParseSimOptions(int argc, char** argv) {
  SimOptions o;
  SimParseResult r;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    const auto text = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    const auto number = [&](int lo, int hi) -> std::optional<int> {
      const auto t = text();
      return t ? Number(*t, lo, hi) : std::nullopt;
    };
    const auto fail = [&](std::string message) {
      r.error = std::move(message);
      return r;
    };
    std::optional<std::string> s;
    std::optional<int> n;
    if (a == "-h" || a == "--help") {
      r.help = true;
      return r;
    } else if (a == "--listen") {
      if (!(s = text())) return fail("--listen needs an address");
      o.listen = *s;
    } else if (a == "--port") {
      if (!(n = number(0, 65535))) return fail("--port takes 0..65535 (0: the system chooses)");
      o.port = *n;
    } else if (a == "--serial") {
      if (!(s = text())) return fail("--serial needs a path");
      o.serial = *s;
    } else if (a == "--serial-address") {
      if (!(n = number(1, 254))) return fail("--serial-address takes 1..254");
      o.serialAddress = *n;
    } else if (a == "--mac") {
      if (!(s = text())) return fail("--mac needs an address");
      o.mac = *s;
    } else if (a == "--name") {
      if (!(s = text())) return fail("--name needs a text");
      o.name = *s;
    } else if (a == "--state") {
      if (!(s = text())) return fail("--state needs a project file");
      o.state = *s;
    } else if (a == "--preview") {
      if (!(s = text())) return fail("--preview needs an .h264 file");
      o.preview = *s;
    } else if (a == "--trace") {
      if (!(s = text())) return fail("--trace needs a file");
      o.trace = *s;
    } else if (a == "--package-port") {
      if (!(n = number(0, 65535))) return fail("--package-port takes 0..65535");
      o.packagePort = *n;
    } else if (a == "--drop-after") {
      if (!(n = number(1, 1 << 30))) return fail("--drop-after takes a positive count");
      o.dropAfter = *n;
    } else if (a == "--garbage-every") {
      if (!(n = number(1, 1 << 30))) return fail("--garbage-every takes a positive count");
      o.garbageEvery = *n;
    } else if (a == "--delay-ms") {
      if (!(n = number(0, 60000))) return fail("--delay-ms takes 0..60000");
      o.delayMs = *n;
    } else if (a == "--composite-board") {
      o.compositeBoard = true;
    } else if (a == "--no-preview") {
      o.previewStream = false;
    } else if (a == "--no-discovery") {
      o.discovery = false;
    } else if (a == "--no-ack") {
      o.withholdAcks = true;
    } else if (a == "--no-block-ack") {
      o.withholdBlockAcks = true;
    } else if (a == "--fail-package") {
      o.failPackage = true;
    } else {
      return fail("unknown option " + std::string(a));
    }
  }
  r.options = std::move(o);
  return r;
}

}  // namespace qv::sim
