#include <gtest/gtest.h>

#include "CtlOptions.h"

namespace qv::ctl {
namespace {

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < line.size()) {
    const std::size_t space = line.find(' ', start);
    out.push_back(line.substr(start, space - start));
    if (space == std::string::npos) break;
    start = space + 1;
  }
  return out;
}

TEST(CtlOptions, AcceptsWellFormedCommands) {
  struct Case {
    const char* line;
    std::vector<int> numbers;
  };
  const Case cases[] = {
      {"--host 10.0.0.5 pull show.pro", {}},
      {"--serial /dev/ttyUSB0 --baud 38400 push show.pro", {}},
      {"--host 10.0.0.5 send 7 2", {7, 2}},
      {"--host 10.0.0.5 --pull send 0x47 0xff 0", {0x47, 255, 0}},
      {"--host 10.0.0.5 route 3 11", {3, 11}},
      {"--host 10.0.0.5 preset save 9", {9}},
      {"--host 10.0.0.5 template load 0", {0}},
      {"--host 10.0.0.5 --port 7000 take", {}},
      {"--target 127.0.0.2 --target 127.0.0.3 search", {}},
      {"--host 10.0.0.5 --timeout 800 status", {}},
  };
  for (const Case& c : cases) {
    const ParseResult r = ParseCtlOptions(Split(c.line));
    ASSERT_TRUE(r.options) << c.line << ": " << r.error;
    EXPECT_EQ(r.options->numbers, c.numbers) << c.line;
  }
  const ParseResult r = ParseCtlOptions(Split("--target 127.0.0.2 --target 127.0.0.3 search"));
  EXPECT_EQ(r.options->searchTargets.size(), 2u);
}

TEST(CtlOptions, RefusesWithAOneLineReason) {
  const char* const lines[] = {
      "status",                             // no link
      "--host a --serial b status",         // two links
      "--host 10.0.0.5",                    // no command
      "--host 10.0.0.5 fly",                // unknown command
      "--host 10.0.0.5 --bogus 1 take",     // unknown option
      "--host 10.0.0.5 --port 70000 take",  // port out of range
      "--host 10.0.0.5 route 4 1",          // no window 4
      "--host 10.0.0.5 route 1 12",         // no input 12
      "--host 10.0.0.5 preset load 10",     // presets are 0..9
      "--host 10.0.0.5 preset keep 1",      // load or save
      "--host 10.0.0.5 send 7 256",         // not a byte
      "--host 10.0.0.5 send 7x",            // not a number
      "--host 10.0.0.5 pull",               // no file
      "--host 10.0.0.5 take now",           // takes nothing
      "--host 10.0.0.5 --project a.pro --pull send 1",
      "--host",  // option without value
  };
  for (const char* line : lines) {
    const ParseResult r = ParseCtlOptions(Split(line));
    EXPECT_FALSE(r.options) << line;
    EXPECT_FALSE(r.error.empty()) << line;
    EXPECT_EQ(r.error.find('\n'), std::string::npos) << line;
  }
  std::vector<std::string> tooMany = {"--host", "h", "send", "1"};
  for (int i = 0; i < 33; ++i) tooMany.push_back("0");
  EXPECT_FALSE(ParseCtlOptions(tooMany).options);
}

}  // namespace
}  // namespace qv::ctl
