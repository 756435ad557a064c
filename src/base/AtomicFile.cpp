#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace qv {

namespace {

std::string Reason(const char* what, const std::filesystem::path& path) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

// A temporary of `name` ("." + name + "." and six characters mkstemp chose).
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
  const std::string prefix = "." + name + ".";
  if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  for (std::size_t i = prefix.size(); i < entry.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(entry[i]);
    if (!std::isalnum(c)) return false;
  }
  return true;
}

// Removes what earlier writes of `target` left behind when the program was
// killed between creating their temporary and renaming it. A temporary
// younger than a minute may be another writer's at work and is left alone.
void RemoveLeftovers(const std::filesystem::path& folder, const std::filesystem::path& target) {
  constexpr auto kLeftoverAge = std::chrono::minutes(1);
  const std::string name = target.filename().string();
  std::error_code error;
  const auto now = std::filesystem::file_time_type::clock::now();
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code entryError;
    if (!IsTemporaryOf(it->path().filename().string(), name)) continue;
    if (!it->is_regular_file(entryError)) continue;
    const auto written = it->last_write_time(entryError);
    if (entryError || now - written < kLeftoverAge) continue;
    std::filesystem::remove(it->path(), entryError);
  }
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
  RemoveLeftovers(folder, target);
  return {};
}

}  // namespace qv
