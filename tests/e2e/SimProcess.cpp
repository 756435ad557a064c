#include "SimProcess.h"

#include <poll.h>
#include <sys/prctl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdlib>

extern char** environ;

namespace qv::e2e {

namespace {

pid_t Spawn(const std::string& path, const std::vector<std::string>& args, int outFd, int errFd) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (outFd >= 0) posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  if (errFd >= 0) posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  std::vector<std::string> all = {path};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

}  // namespace

SimProcess::SimProcess(std::vector<std::string> args) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return;
  // The simulator must not outlive a test that dies early, nor hold the test
  // runner's output open: it dies with this process and writes nowhere else.
  // Everything the child needs is made before the fork: after it, only calls
  // that are safe in a copy of a threaded process.
  std::vector<std::string> all = {QV_SIM_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(fds[1], STDERR_FILENO);
    ::execv(QV_SIM_PATH, argv.data());
    ::_exit(127);
  }
  ::close(fds[1]);
  // "qvsim: listening on ADDR:PORT" once it is ready; give up after 10 s.
  std::string line;
  pollfd ready{fds[0], POLLIN, 0};
  while (pid_ > 0 && ::poll(&ready, 1, 10000) == 1) {
    char c;
    if (::read(fds[0], &c, 1) != 1) break;
    if (c != '\n') {
      line.push_back(c);
      continue;
    }
    if (line.starts_with("qvsim: listening on ")) {
      port_ = std::atoi(line.c_str() + line.rfind(':') + 1);
      break;
    }
    line.clear();
  }
  ::close(fds[0]);  // later output goes nowhere; qvsim ignores a broken pipe
}

SimProcess::~SimProcess() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

void SimProcess::Kill() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

ProgramResult RunProgram(const std::string& path, const std::vector<std::string>& args) {
  ProgramResult result;
  char outName[] = "/tmp/qvrun-out-XXXXXX";
  char errName[] = "/tmp/qvrun-err-XXXXXX";
  const int out = ::mkstemp(outName);
  const int err = ::mkstemp(errName);
  const pid_t pid = Spawn(path, args, out, err);
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    result.exitCode = WEXITSTATUS(status);
  }
  ::lseek(out, 0, SEEK_SET);
  ::lseek(err, 0, SEEK_SET);
  result.out = ReadAll(out);
  result.err = ReadAll(err);
  ::close(out);
  ::close(err);
  ::unlink(outName);
  ::unlink(errName);
  return result;
}

}  // namespace qv::e2e
