#include "ConsoleCore.h"

namespace qv {

ConsoleCore::ConsoleCore(DeviceModel& model, std::unique_ptr<CommLink> link,
                         SettingsLocation location, NotificationSink& window)
    : model_(model),
      link_(std::move(link)),
      location_(std::move(location)),
      encoder_(model_, *link_),
      dispatcher_(model_, encoder_, scheduler_, window),
      settings_(location_.InfoIniPath()),
      languages_(location_.LanguageDir(), location_.InfoIniPath()),
      project_(model_, encoder_, dispatcher_, settings_, location_.DataDir()) {}

// The link's thread posts into the scheduler and calls the dispatcher: it
// must be gone before they are.
ConsoleCore::~ConsoleCore() {
  if (!shutDown_) link_->CommShutdown();
}

void ConsoleCore::Start(const std::string& localeName,
                        const std::filesystem::path& shippedLanguages) {
  location_.InstallShippedLanguages(shippedLanguages);
  SelectLanguage(LanguageFiles::DefaultLanguageName(localeName));
  dispatcher_.RegisterHandlers(*link_);
  project_.Start();
}

void ConsoleCore::SelectLanguage(const std::string& name) {
  languages_.SelectLanguage(name);
  languages_.ReloadUiStrings(strings_);
  // The customised resolution's list text follows the language.
  if (!model_.ResoPresets.empty()) model_.ResoPresets.back().text = strings_.Get(96);
}

std::string ConsoleCore::Shutdown() {
  if (shutDown_) return {};
  shutDown_ = true;
  link_->CommShutdown();
  return project_.Close();
}

LanguageFiles::PortSwitchList ConsoleCore::UpdatePortSwitchTexts() {
  return languages_.UpdatePortSwitchTexts(model_.rec.CmpBoardIpSrc, model_.rec.CmpBoardMode,
                                          settings_.Language(), strings_);
}

}  // namespace qv
