#pragma once
// A model wired to a recording link through the encoder and the reply
// handling, with a test-driven scheduler and a recording main window.

#include "link/ReplyDispatcher.h"
#include "support/ManualScheduler.h"
#include "support/RecordingLink.h"
#include "support/RecordingSink.h"

namespace qv::test {

struct LinkHarness {
  LinkHarness() { dispatcher.RegisterHandlers(link); }

  DeviceModel model;
  RecordingLink link;
  CommandEncoder encoder{model, link};
  ManualScheduler scheduler;
  RecordingSink sink;
  ReplyDispatcher dispatcher{model, encoder, scheduler, sink};
};

}  // namespace qv::test
