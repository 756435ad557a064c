#pragma once
// The console's current project: loaded when the console starts, saved when it
// closes, replaced by Open, copied by Save, and moved whole between console
// and processor. The pages show the waiting notices; this class does the work.

#include <filesystem>
#include <string>

#include "InfoSettings.h"
#include "link/CommandEncoder.h"
#include "link/ReplyDispatcher.h"

namespace qv {

class ProjectSession {
 public:
  ProjectSession(DeviceModel& model, CommandEncoder& encoder, ReplyDispatcher& dispatcher,
                 InfoSettings& settings, std::filesystem::path dataDir)
      : model_(model),
        encoder_(encoder),
        dispatcher_(dispatcher),
        settings_(settings),
        dataDir_(std::move(dataDir)) {}

  // Takes the project named in Info.ini (or a dated one under Project/ when
  // none is) and loads it; a missing or empty file leaves the model as it is.
  void Start();
  // Remembers the project in Info.ini and saves the model into it. Returns ""
  // or why the save failed; the previous file is then left as it was.
  std::string Close();

  // Makes `path` the current project and loads it. A file that cannot be
  // read does not become the current project, since closing would then write
  // the model over it: the model and the current project stay as they were.
  // Returns "" or why the file was refused.
  std::string Open(const std::string& path);
  // Saves the model to `path` without changing the current project.
  std::string Save(const std::string& path);
  std::string SaveCurrent() { return Save(projectPath_); }

  // Asks the processor for its whole state.
  void GetDataFromMachine();
  // Sends the model's whole configuration, feathering off first.
  void SetDataToMachine() { SendConfiguration(model_, encoder_); }
  static void SendConfiguration(DeviceModel& model, CommandEncoder& encoder);

  const std::string& ProjectPath() const { return projectPath_; }

 private:
  DeviceModel& model_;
  CommandEncoder& encoder_;
  ReplyDispatcher& dispatcher_;
  InfoSettings& settings_;
  std::filesystem::path dataDir_;
  std::string projectPath_;
};

}  // namespace qv
