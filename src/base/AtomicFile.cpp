#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qv {

namespace {

std::string Reason(const char* what, const std::filesystem::path& path) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

}  // namespace

std::string AtomicFile::Write(const std::filesystem::path& target, std::string_view bytes) {
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return Reason("cannot create a temporary file beside", target);
  const std::filesystem::path temp(pattern);

  const auto fail = [&](const char* what) {
    std::string reason = Reason(what, target);
    ::close(fd);
    ::unlink(temp.c_str());
    return reason;
  };
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("cannot write");
    }
    done += static_cast<std::size_t>(n);
  }
  // Keep the permissions an existing file had; a new file gets the usual 0644.
  struct stat st {};
  const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  if (::fchmod(fd, mode) != 0) return fail("cannot set permissions for");
  if (::fsync(fd) != 0) return fail("cannot flush");
  if (::close(fd) != 0) {
    const std::string reason = Reason("cannot close", target);
    ::unlink(temp.c_str());
    return reason;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const std::string reason = Reason("cannot replace", target);
    ::unlink(temp.c_str());
    return reason;
  }
  // Make the rename itself durable.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return {};
}

}  // namespace qv
