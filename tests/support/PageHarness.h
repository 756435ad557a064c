#pragma once
// What a page is made with, for a page tested alone: the model on a
// recording link with the reply handling, a test-driven scheduler, a
// settings file and language files in a temporary folder (or the shipped
// ones), and prompts that record what they were asked.

#include <QString>
#include <filesystem>
#include <vector>

#include "i18n/LanguageFiles.h"
#include "i18n/UiStrings.h"
#include "project/InfoSettings.h"
#include "support/LinkHarness.h"
#include "support/TempDir.h"
#include "widgets/LanguageTexts.h"
#include "widgets/PageContext.h"
#include "widgets/Prompts.h"

namespace qv::test {

struct PageHarness {
  // `languages` is the folder of language files; the temporary folder's own
  // "Language" when empty.
  explicit PageHarness(std::filesystem::path languages = {})
      : files(languages.empty() ? dir.path() / "Language" : languages, dir.path() / "Info.ini") {
    prompts.inform = [this](const QString& text) { informed.push_back(text); };
    prompts.confirm = [this](const QString& text) {
      confirmed.push_back(text);
      return answer;
    };
  }

  // Reads the file declaring `language` into the texts, as a switch does.
  void SelectLanguage(const std::string& language) {
    files.SelectLanguage(language);
    files.ReloadUiStrings(strings);
  }

  TempDir dir;
  LinkHarness core;
  DeviceModel& model = core.model;
  RecordingLink& link = core.link;
  CommandEncoder& encoder = core.encoder;
  InfoSettings settings{dir.path() / "Info.ini"};
  LanguageFiles files;
  UiStrings strings;
  LanguageTexts texts{files, strings};
  Prompts prompts;
  bool answer = true;  // what confirm answers
  std::vector<QString> informed;
  std::vector<QString> confirmed;
  PageContext context{core.encoder,   core.model,      settings, texts,
                      core.scheduler, core.dispatcher, prompts};
};

}  // namespace qv::test
