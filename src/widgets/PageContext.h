#pragma once
// What every page is made with: the processor link's model and encoder, the
// settings file, the language texts, the UI thread's scheduler and the reply
// dispatcher, and the operator's prompts. All outlive every page.

namespace qv {

class CommandEncoder;
struct DeviceModel;
class InfoSettings;
class LanguageTexts;
class ReplyDispatcher;
class Scheduler;
struct Prompts;

struct PageContext {
  CommandEncoder& encoder;
  DeviceModel& model;
  InfoSettings& settings;
  const LanguageTexts& texts;
  // Runs tasks and waits on the UI thread.
  Scheduler& ui;
  // The main page hands it the preview stream's sink.
  ReplyDispatcher& dispatcher;
  const Prompts& prompts;
};

}  // namespace qv
