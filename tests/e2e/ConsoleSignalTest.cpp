// The qvconsole program closed by a signal, as a logout, a shutdown or
// Ctrl+C in its terminal close it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTcpSocket>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// A console under a sanitizer starts slowly.
constexpr int kPatienceMs = 60000;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> ProjectFiles(const fs::path& folder) {
  std::vector<fs::path> found;
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
    if (entry.path().extension() == ".pro") found.push_back(entry.path());
  }
  return found;
}

// The console keeps its settings beside the program when it may write
// there, so each test runs its own link to the program from a folder of its own.
class ConsoleSignalTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    std::error_code error;
    fs::create_hard_link(QV_CONSOLE_PATH, Program(), error);
    if (error) fs::copy_file(QV_CONSOLE_PATH, Program());
    fs::create_directory_symlink(fs::path(QV_SOURCE_DIR) / "lang", dir.path() / "lang");
  }
  fs::path Program() const { return dir.path() / "qvconsole"; }

  test::TempDir dir;
};

TEST_P(ConsoleSignalTest, ClosesAsItsWindowDoesSavingTheProjectAndExitsCleanly) {
  // The console links to this address once its event loop runs: by then
  // it catches signals.
  QTcpServer processor;
  ASSERT_TRUE(processor.listen(QHostAddress::LocalHost));
  QProcess console;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  console.setProcessEnvironment(environment);
  console.setProcessChannelMode(QProcess::ForwardedChannels);
  console.start(QString::fromStdString(Program().string()),
                {"--connect", QString("127.0.0.1:%1").arg(processor.serverPort())});
  ASSERT_TRUE(console.waitForStarted(kPatienceMs));
  ASSERT_TRUE(processor.waitForNewConnection(kPatienceMs));
  EXPECT_TRUE(ProjectFiles(dir.path()).empty());

  ASSERT_EQ(::kill(static_cast<pid_t>(console.processId()), GetParam()), 0);
  ASSERT_TRUE(console.waitForFinished(kPatienceMs));
  EXPECT_EQ(console.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(console.exitCode(), 0);

  const std::vector<fs::path> projects = ProjectFiles(dir.path());
  ASSERT_EQ(projects.size(), 1u);
  EXPECT_GT(fs::file_size(projects[0]), 0u);
  // Info.ini remembers it for the next start.
  EXPECT_NE(Contents(dir.path() / "Info.ini").find(projects[0].filename().string()),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Signals, ConsoleSignalTest, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) {
                           return std::string(info.param == SIGTERM ? "Term" : "Interrupt");
                         });

}  // namespace
}  // namespace qv
