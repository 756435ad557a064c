#include "base/AtomicFile.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, AWriteRemovesWhatAnInterruptedWriteOfTheSameFileLeft) {
  test::TempDir dir;
  const fs::path target = dir.path() / "show.pro";
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
  const auto leftover = [&](const std::string& name, bool stale) {
    const fs::path p = dir.path() / name;
    test::WriteBytes(p, "half");
    if (stale) fs::last_write_time(p, old);
    return p;
  };
  const fs::path stale = leftover(".show.pro.aB3xZ9", true);
  const fs::path fresh = leftover(".show.pro.Qw12er", false);  // another writer at work
  const fs::path otherFile = leftover(".other.pro.aB3xZ9", true);
  const fs::path notOurs = leftover(".show.pro.bak", true);
  ASSERT_EQ(AtomicFile::Write(target, "whole"), "");
  EXPECT_EQ(test::ReadBytes(target), "whole");
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(fresh));
  EXPECT_TRUE(fs::exists(otherFile));
  EXPECT_TRUE(fs::exists(notOurs));
}

}  // namespace
}  // namespace qv
