#pragma once
// Project files: one snapshot of the processor's configuration as a sectioned
// text file of KEY=value lines. The console saves the device record to one on
// Save and at close, and loads one on Open and at start; the simulator and the
// command-line tool read and write the same files.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "link/DeviceModel.h"
#include "link/DeviceStatusRecord.h"
#include "link/ReplyDispatcher.h"

namespace qv {

class ProjectFile {
 public:
  // Saves the model's record to `path`, replacing the file whole. Each value
  // is first brought within the range the processor accepts, and the model
  // keeps those corrected values. Returns "" on success; otherwise a one-line
  // reason, and neither the file nor the model has changed.
  static std::string WriteProject(DeviceModel& model, const std::filesystem::path& path);

  // The file text for `record` (ASCII, CR LF line ends, no byte-order mark),
  // correcting out-of-range values in `record` on the way.
  static std::string FormatProject(DeviceStatusRecord& record);

  // A record built from the file: carried fields from their keys, everything
  // else 0. nullopt when the file cannot be opened or is not a regular file.
  static std::optional<DeviceStatusRecord> ReadProjectRecord(const std::filesystem::path& path);
  // The same from the file's bytes.
  static DeviceStatusRecord ReadProjectRecordFromBytes(std::string_view bytes);

  // Loads the file into the model as a whole-state update, so every page
  // refreshes. False, with the model untouched and nothing notified, when the
  // file cannot be read.
  static bool ReadProject(const std::filesystem::path& path, ReplyDispatcher& dispatcher);

  // Makes `path` usable as the current project before it is read or saved:
  // - an existing path is kept;
  // - a missing file becomes <its folder>/<name up to its first '.'>.pro, and
  //   when that folder exists and holds no such file yet, an empty UTF-16
  //   project (just the FF FE mark) is created there;
  // - an empty path becomes <dataDir>/Project/<today>/<today>.pro, with both
  //   folders created; the file itself is left to the first save.
  // `todayText` is the local date as "YYYY-MM-DD" (see TodayText).
  static void EnsureProjectFile(std::string& path, const std::filesystem::path& dataDir,
                                const std::string& todayText);
  static std::string TodayText();
};

}  // namespace qv
