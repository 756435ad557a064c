#include "base/ThreadName.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <string>
#include <thread>

namespace qv {
namespace {

std::string NameGivenTo(const std::string& name) {
  std::string seen;
  // A thread of its own: naming the test's main thread would rename the process.
  std::thread([&] {
    SetCurrentThreadName(name);
    char buffer[64] = {};
    pthread_getname_np(pthread_self(), buffer, sizeof buffer);
    seen = buffer;
  }).join();
  return seen;
}

struct NameCase {
  const char* given;
  const char* kept;
};

class ThreadName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ThreadName, IsKeptUpToFifteenBytesWithoutSplittingACharacter) {
  EXPECT_EQ(NameGivenTo(GetParam().given), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ThreadName,
    ::testing::Values(NameCase{"qv-decode-0", "qv-decode-0"},
                      NameCase{"fifteen-bytes-x", "fifteen-bytes-x"},
                      NameCase{"sixteen-bytes-xy", "sixteen-bytes-x"},
                      NameCase{"qv-upload-of-the-encoder-package", "qv-upload-of-th"},
                      // "é" takes bytes 15 and 16: it goes whole.
                      NameCase{"qv-render-abcd\xC3\xA9", "qv-render-abcd"},
                      NameCase{"qv-render-abc\xC3\xA9", "qv-render-abc\xC3\xA9"}));

}  // namespace
}  // namespace qv
