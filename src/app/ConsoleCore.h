#pragma once
// Everything the console's window stands on, without the window: the model,
// the link library, the encoder, the reply handling (on the UI thread through
// QtScheduler), the settings file, the language files and the current project,
// with the start-up and shutdown order the console keeps.

#include <memory>
#include <string>

#include "i18n/LanguageFiles.h"
#include "i18n/SettingsLocation.h"
#include "i18n/UiStrings.h"
#include "link/CommLink.h"
#include "link/ReplyDispatcher.h"
#include "project/InfoSettings.h"
#include "project/ProjectSession.h"
#include "widgets/QtScheduler.h"

namespace qv {

class ConsoleCore {
 public:
  // `link` is the processor link library (a recording one in tests).
  ConsoleCore(DeviceModel& model, std::unique_ptr<CommLink> link, SettingsLocation location,
              NotificationSink& window);
  ~ConsoleCore();
  ConsoleCore(const ConsoleCore&) = delete;
  ConsoleCore& operator=(const ConsoleCore&) = delete;

  // Start-up: the language the system's locale names (written to Info.ini,
  // the saved one is not consulted), the UI strings from its file, the reply
  // handlers registered, the current project loaded.
  void Start(const std::string& localeName, const std::filesystem::path& shippedLanguages);
  // Shutdown: the link library first, then the project path into Info.ini
  // and the model into the project. Returns "" or why the save failed.
  std::string Shutdown();

  // Switches the language: the chosen file's texts replace the UI strings.
  void SelectLanguage(const std::string& name);
  // After a composite board reply: the port switch entries name the cards
  // the board reports, in the UI strings and in both language files.
  LanguageFiles::PortSwitchList UpdatePortSwitchTexts();

  DeviceModel& model() { return model_; }
  CommLink& link() { return *link_; }
  CommandEncoder& encoder() { return encoder_; }
  ReplyDispatcher& dispatcher() { return dispatcher_; }
  QtScheduler& scheduler() { return scheduler_; }
  InfoSettings& settings() { return settings_; }
  LanguageFiles& languages() { return languages_; }
  const UiStrings& strings() const { return strings_; }
  ProjectSession& project() { return project_; }
  const SettingsLocation& location() const { return location_; }

 private:
  DeviceModel& model_;
  std::unique_ptr<CommLink> link_;
  const SettingsLocation location_;
  QtScheduler scheduler_;
  CommandEncoder encoder_;
  ReplyDispatcher dispatcher_;
  InfoSettings settings_;
  LanguageFiles languages_;
  UiStrings strings_;
  ProjectSession project_;
  bool shutDown_ = false;
};

}  // namespace qv
