#pragma once
// Where the console keeps the files it writes: Info.ini, the "Project" folder
// and the "Language" folder. A development build runs from a folder it may
// write to and keeps them beside the program; an installed program cannot,
// and uses $XDG_CONFIG_HOME/qvconsole (by default ~/.config/qvconsole).

#include <filesystem>
#include <string>

namespace qv {

class SettingsLocation {
 public:
  struct Environment {
    std::string xdgConfigHome;
    std::string home;
    // From XDG_CONFIG_HOME and HOME; the password entry stands in for an unset HOME.
    static Environment FromProcess();
  };

  // Writability as access(W_OK) sees it, so for root every program folder
  // counts as writable.
  static SettingsLocation ForProgramDir(const std::filesystem::path& programDir,
                                        const Environment& environment);
  // The running executable's folder and the process's environment.
  static SettingsLocation FromProcess();

  // Creates the per-user folder when it is the one chosen and missing;
  // error() tells when that failed.
  SettingsLocation(std::filesystem::path programDir, bool programDirWritable,
                   const Environment& environment);

  const std::filesystem::path& DataDir() const { return dataDir_; }
  std::filesystem::path InfoIniPath() const { return dataDir_ / "Info.ini"; }
  std::filesystem::path ProjectDir() const { return dataDir_ / "Project"; }
  std::filesystem::path LanguageDir() const { return dataDir_ / "Language"; }
  const std::string& error() const { return error_; }

  // Copies each *.ini of the shipped language folder into LanguageDir(). A
  // file of that name already there only gains the keys it lacks: the console
  // edits its language files, and those edits must survive later starts.
  // Returns "" or the reasons files could not be copied or updated.
  std::string InstallShippedLanguages(const std::filesystem::path& shippedDir) const;

 private:
  std::filesystem::path dataDir_;
  std::string error_;
};

}  // namespace qv
