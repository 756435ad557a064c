#pragma once
// Turns the processor's replies into model changes, notifications and follow-up
// requests. The link library calls the registered handlers on its I/O thread;
// they only copy the reply and hand it to the thread that owns the model, where
// replies are applied one at a time in arrival order. A reply whose handling
// waits before its follow-up requests (the full read waits 200 ms, some device
// events 40 or 100 ms) holds back the replies after it until the wait is over,
// so the processor sees the same order of requests as from a blocking handler.
//
// Lifetime: destroy after CommShutdown and after the scheduler can no longer
// run tasks posted by this object.

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "CommLink.h"
#include "CommandEncoder.h"
#include "DeviceModel.h"
#include "NotificationSink.h"
#include "ReplyKind.h"
#include "Scheduler.h"

namespace qv {

class ReplyDispatcher {
 public:
  ReplyDispatcher(DeviceModel& model, CommandEncoder& encoder, Scheduler& scheduler,
                  NotificationSink& sink);

  // Registers one handler per reply kind, in the order the processor's library expects.
  void RegisterHandlers(CommLink& link);
  static const std::array<int, kReplyKindCount>& RegistrationOrder();

  // Where preview blocks go; null drops them. Safe to change while the link runs.
  // Once this returns, no block reaches the previous sink any more, so the
  // caller may destroy it.
  void SetPreviewSink(PreviewSink* sink) {
    std::lock_guard lock(previewMutex_);
    preview_ = sink;
  }

  // Handler entry, on the link's thread.
  void OnReply(int kind, const ReplyView& view);

  // A whole record from a project file: applied like a full read while
  // LoadingAll is set, then every page is told to refresh (kind 2). No
  // follow-up requests beyond those the record's input cards call for.
  void ApplyProjectRecord(const DeviceStatusRecord& record);

  // Marks that the processor at `address` answered.
  void NoteReply(uint8_t address);

  // Replies dropped because their payload was shorter than the kind needs or
  // named an index the model does not have. Owner thread.
  uint64_t DroppedReplies() const { return dropped_; }
  // True while a handler waits before its follow-up requests.
  bool Waiting() const { return waiting_; }

 private:
  struct Reply {
    int kind = 0;
    std::vector<uint8_t> payload;
    int arg = 0;
    uint8_t source = 0;
    std::string text;
    std::optional<std::array<uint32_t, 2>> values;
  };
  struct Step {
    int delayMs = 0;  // wait before `run`
    std::function<void()> run;
  };

  void Enqueue(Reply reply);
  void Pump();
  void Handle(const Reply& reply);
  void HandleFullState(const Reply& reply);
  void HandleInputTiming(const Reply& reply);
  void HandleDeviceEvent(const Reply& reply);
  void ApplyRecord(const DeviceStatusRecord& record);
  void RunSteps(std::shared_ptr<std::vector<Step>> steps, std::size_t from);
  void Send(CommandType type, std::initializer_list<uint8_t> args = {});
  void Finish(int kind, int arg, uint8_t source);  // notify, then NoteReply

  DeviceModel& model_;
  CommandEncoder& encoder_;
  Scheduler& scheduler_;
  NotificationSink& sink_;
  // Held while a block is handed over: short, the sink never blocks.
  std::mutex previewMutex_;
  PreviewSink* preview_ = nullptr;  // guarded by previewMutex_

  // Owner thread only.
  std::deque<Reply> queue_;
  bool waiting_ = false;
  uint64_t dropped_ = 0;
};

}  // namespace qv
