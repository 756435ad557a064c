#include "CtlOptions.h"

#include <charconv>

namespace qv::ctl {

namespace {

// Decimal or 0x-prefixed hexadecimal, within [lo, hi].
std::optional<int> Number(const std::string& text, int lo, int hi) {
  int base = 10;
  std::string_view digits(text);
  if (digits.starts_with("0x") || digits.starts_with("0X")) {
    base = 16;
    digits.remove_prefix(2);
  }
  int value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  if (value < lo || value > hi) return std::nullopt;
  return value;
}

ParseResult Fail(std::string error) {
  ParseResult r;
  r.error = std::move(error);
  return r;
}

}  // namespace

const char* CtlUsage() {
  return "usage: qvctl [--host IP] [--port N] [--serial PATH] [--baud N] [--project FILE.pro]\n"
         "             [--pull] [--target IP]... [--timeout MS] COMMAND\n"
         "commands:\n"
         "  pull FILE.pro              read the processor's whole state into a project file\n"
         "  push FILE.pro              send a project file's configuration to the processor\n"
         "  send TYPE [P1 ... P32]     send one command built from the model\n"
         "  route WINDOW INPUT         show input 0..11 in window 0..3\n"
         "  preset load|save N         recall or store preset 0..9\n"
         "  template load|save N       recall or store template 0..9\n"
         "  take                       swap preview and program\n"
         "  search                     list the processors that answer on the network\n"
         "  status                     read and print the processor's state\n";
}

ParseResult ParseCtlOptions(const std::vector<std::string>& argv) {
  CtlOptions o;
  std::size_t i = 0;
  const auto value = [&]() -> std::optional<std::string> {
    if (i + 1 >= argv.size()) return std::nullopt;
    return argv[++i];
  };
  for (; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (a == "-h" || a == "--help") {
      ParseResult r;
      r.help = true;
      return r;
    }
    if (!a.starts_with("--")) break;
    const std::optional<std::string> v = a == "--pull" ? std::optional<std::string>("") : value();
    if (!v) return Fail(a + " needs a value");
    if (a == "--host") {
      o.host = *v;
    } else if (a == "--port") {
      const auto n = Number(*v, 1, 65535);
      if (!n) return Fail("--port takes 1..65535");
      o.port = *n;
    } else if (a == "--serial") {
      o.serial = *v;
    } else if (a == "--baud") {
      const auto n = Number(*v, 1200, 4000000);
      if (!n) return Fail("--baud takes 1200..4000000");
      o.baud = *n;
    } else if (a == "--project") {
      o.project = *v;
    } else if (a == "--pull") {
      o.pull = true;
    } else if (a == "--target") {
      o.searchTargets.push_back(*v);
    } else if (a == "--timeout") {
      const auto n = Number(*v, 100, 600000);
      if (!n) return Fail("--timeout takes 100..600000 milliseconds");
      o.timeoutMs = *n;
    } else {
      return Fail("unknown option " + a);
    }
  }
  if (i >= argv.size()) return Fail("no command given");
  o.command = argv[i++];
  o.args.assign(argv.begin() + static_cast<std::ptrdiff_t>(i), argv.end());
  const auto& args = o.args;
  const std::string& c = o.command;

  if (c == "pull" || c == "push") {
    if (args.size() != 1) return Fail(c + " takes one project file");
  } else if (c == "send") {
    if (args.empty() || args.size() > 33) return Fail("send takes a type and up to 32 bytes");
    const auto type = Number(args[0], 0, 65535);
    if (!type) return Fail("send: the type must be 0..65535");
    o.numbers.push_back(*type);
    for (std::size_t k = 1; k < args.size(); ++k) {
      const auto b = Number(args[k], 0, 255);
      if (!b) return Fail("send: argument " + std::to_string(k) + " must be a byte 0..255");
      o.numbers.push_back(*b);
    }
    if (!o.project.empty() && o.pull) return Fail("send: use --project or --pull, not both");
  } else if (c == "route") {
    if (args.size() != 2) return Fail("route takes a window and an input");
    const auto window = Number(args[0], 0, 3);
    const auto input = Number(args[1], 0, 11);
    if (!window) return Fail("route: the window must be 0..3");
    if (!input) return Fail("route: the input must be 0..11");
    o.numbers = {*window, *input};
  } else if (c == "preset" || c == "template") {
    if (args.size() != 2 || (args[0] != "load" && args[0] != "save")) {
      return Fail(c + " takes load or save and a number");
    }
    const auto n = Number(args[1], 0, 9);
    if (!n) return Fail(c + ": the number must be 0..9");
    o.numbers = {*n};
  } else if (c == "take" || c == "search" || c == "status") {
    if (!args.empty()) return Fail(c + " takes no arguments");
  } else {
    return Fail("unknown command " + c);
  }

  if (c != "search") {
    if (o.host.empty() == o.serial.empty())
      return Fail(c + " needs --host or --serial (one of them)");
  }
  ParseResult r;
  r.options = std::move(o);
  return r;
}

}  // namespace qv::ctl
