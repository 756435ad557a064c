#include "SettingsLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "base/AtomicFile.h"
#include "base/IniFile.h"

namespace qv {

namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// A language file installed by an earlier version lacks the texts of newer
// controls, which would show up blank: those keys are added, and every text
// already there, edited or not, stays as it is.
std::string AddShippedKeys(const std::filesystem::path& shipped,
                           const std::filesystem::path& installed) {
  std::string error;
  IniFile file = IniFile::Load(installed, &error);
  if (!error.empty()) return error;
  const IniFile texts = IniFile::Load(shipped, &error);
  if (!error.empty()) return error;
  if (file.AddMissing(texts) == 0) return {};
  if (!file.complete()) return "not updating " + installed.string() + ": too large";
  return file.Save(installed);
}

}  // namespace

SettingsLocation::Environment SettingsLocation::Environment::FromProcess() {
  Environment environment{EnvironmentValue("XDG_CONFIG_HOME"), EnvironmentValue("HOME")};
  if (environment.home.empty()) {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
      environment.home = entry->pw_dir;
    }
  }
  return environment;
}

SettingsLocation SettingsLocation::ForProgramDir(const std::filesystem::path& programDir,
                                                 const Environment& environment) {
  const bool writable = !programDir.empty() && ::access(programDir.c_str(), W_OK) == 0;
  return SettingsLocation(programDir, writable, environment);
}

SettingsLocation SettingsLocation::FromProcess() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return ForProgramDir(error ? std::filesystem::path() : executable.parent_path(),
                       Environment::FromProcess());
}

SettingsLocation::SettingsLocation(std::filesystem::path programDir, bool programDirWritable,
                                   const Environment& environment) {
  if (programDirWritable) {
    dataDir_ = std::move(programDir);
    return;
  }
  // A relative XDG_CONFIG_HOME is invalid and to be ignored, as the base
  // directory rules say.
  const std::filesystem::path xdg = environment.xdgConfigHome;
  const std::filesystem::path configHome =
      xdg.is_absolute() ? xdg : std::filesystem::path(environment.home) / ".config";
  dataDir_ = configHome / "qvconsole";
  std::error_code error;
  std::filesystem::create_directories(dataDir_, error);
  if (error) error_ = "cannot create " + dataDir_.string() + ": " + error.message();
}

std::string SettingsLocation::InstallShippedLanguages(
    const std::filesystem::path& shippedDir) const {
  std::string errors;
  const auto note = [&errors](const std::string& reason) {
    errors += errors.empty() ? reason : "; " + reason;
  };
  std::error_code error;
  std::filesystem::create_directories(LanguageDir(), error);
  if (error) return "cannot create " + LanguageDir().string() + ": " + error.message();

  for (std::filesystem::directory_iterator it(shippedDir, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code entryError;
    if (!it->is_regular_file(entryError) || it->path().extension() != ".ini") continue;
    const std::filesystem::path target = LanguageDir() / it->path().filename();
    if (std::filesystem::exists(std::filesystem::symlink_status(target, entryError))) {
      if (std::string reason = AddShippedKeys(it->path(), target); !reason.empty()) note(reason);
      continue;
    }
    const auto size = std::filesystem::file_size(it->path(), entryError);
    if (entryError || size > IniFile::kMaxFileBytes) {
      note("not copying " + it->path().string() + ": unreadable or too large");
      continue;
    }
    std::ifstream in(it->path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
      note("cannot read " + it->path().string());
      continue;
    }
    if (std::string reason = AtomicFile::Write(target, bytes); !reason.empty()) note(reason);
  }
  if (error) note("cannot list " + shippedDir.string() + ": " + error.message());
  return errors;
}

}  // namespace qv
