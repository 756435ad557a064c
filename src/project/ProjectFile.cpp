#include "ProjectFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <system_error>

#include "ProjectKeys.h"
#include "ProjectLookup.h"
#include "base/AtomicFile.h"
#include "base/IniFile.h"

namespace qv {

namespace {

constexpr std::string_view kEmptyUtf16Project = "\xFF\xFE";

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  // Not blocking: a pipe named like a project must not hold the console.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> bytes;
  struct stat st {};
  // A project is a few kilobytes; anything past the INI reader's bound is not one.
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<std::size_t>(st.st_size) <= IniFile::kMaxFileBytes) {
    bytes.emplace();
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n > 0) {
        bytes->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0) {
        break;
      } else if (errno != EINTR) {
        bytes.reset();
        break;
      }
    }
  }
  ::close(fd);
  return bytes;
}

}  // namespace

std::string ProjectFile::FormatProject(DeviceStatusRecord& record) {
  std::string text;
  text.reserve(32 * 1024);
  std::string_view section;
  for (const ProjectKeys::Key& key : ProjectKeys::All()) {
    if (key.section != section) {
      section = key.section;
      text.append("[").append(section).append("]\r\n");
    }
    if (key.limit) key.limit(record);
    text.append(key.name).append("=").append(key.field.Format(record)).append("\r\n");
  }
  return text;
}

std::string ProjectFile::WriteProject(DeviceModel& model, const std::filesystem::path& path) {
  // Corrected on a copy so that a failed save leaves the model as it was.
  DeviceStatusRecord record = model.rec;
  const std::string text = FormatProject(record);
  if (std::string error = AtomicFile::Write(path, text); !error.empty()) return error;
  model.rec = record;
  return {};
}

DeviceStatusRecord ProjectFile::ReadProjectRecordFromBytes(std::string_view bytes) {
  DeviceStatusRecord record{};
  ProjectLookup lookup(bytes);
  for (const ProjectKeys::Key& key : ProjectKeys::All()) {
    // A key the file lacks leaves its field 0 rather than repeating the value
    // of the key found before it.
    if (const auto value = lookup.FindValue(key.section, key.name)) key.field.Parse(record, *value);
  }
  return record;
}

std::optional<DeviceStatusRecord> ProjectFile::ReadProjectRecord(
    const std::filesystem::path& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return ReadProjectRecordFromBytes(*bytes);
}

bool ProjectFile::ReadProject(const std::filesystem::path& path, ReplyDispatcher& dispatcher) {
  const std::optional<DeviceStatusRecord> record = ReadProjectRecord(path);
  if (!record) return false;
  dispatcher.ApplyProjectRecord(*record);
  return true;
}

void ProjectFile::EnsureProjectFile(std::string& path, const std::filesystem::path& dataDir,
                                    const std::string& todayText) {
  std::error_code ec;
  if (path.empty()) {
    const std::filesystem::path folder = dataDir / "Project" / todayText;
    std::filesystem::create_directories(folder, ec);
    path = (folder / (todayText + ".pro")).string();
    return;
  }
  if (std::filesystem::exists(path, ec)) return;

  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  path = folder + name.substr(0, name.find('.')) + ".pro";
  const bool folderExists = folder.empty() || std::filesystem::is_directory(folder, ec);
  // Never truncate a project that already sits under the corrected name.
  if (folderExists && !std::filesystem::exists(path, ec)) {
    AtomicFile::Write(path, kEmptyUtf16Project);
  }
}

std::string ProjectFile::TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[16];
  const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return std::string(text, n);
}

}  // namespace qv
