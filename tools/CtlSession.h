#pragma once
// One qvctl run: a link to one processor, the console's model and reply
// handling, and the command the operator asked for.

#include <atomic>
#include <ostream>
#include <set>
#include <string>

#include "CtlOptions.h"
#include "comm/CommLibrary.h"
#include "link/EventLoop.h"
#include "link/ReplyDispatcher.h"

namespace qv::ctl {

class CtlSession final : public NotificationSink {
 public:
  static constexpr int kOk = 0;
  static constexpr int kFailed = 1;
  static constexpr int kUsage = 2;

  CtlSession(CtlOptions options, std::ostream& out, std::ostream& err);
  ~CtlSession() override;

  int Run();

 private:
  void Notify(ReplyKind kind, int arg) override;
  void CloseWaitingDialog() override;

  bool Connect();
  bool FullRead();
  // Waits until `count` acknowledgements came after the first `since`.
  bool WaitAcks(int since, int count);
  bool Fail(const std::string& message);
  int Exit(int code, const std::string& message);

  int Pull();
  int Push();
  int Send();
  int Route();
  int PresetOrTemplate();
  int Take();
  int Search();
  int Status();

  const CtlOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  EventLoop loop_;
  DeviceModel model_;
  comm::CommLibrary link_;
  CommandEncoder encoder_{model_, link_};
  ReplyDispatcher dispatcher_{model_, encoder_, loop_, *this};

  uint8_t linkAddress_ = 0;
  bool linkUp_ = false;
  std::atomic<int> acks_{0};  // counted on the link's thread
  int waitingClosed_ = 0;
  int fullStates_ = 0;
  bool echoReplies_ = false;
  std::set<std::string> found_;
};

}  // namespace qv::ctl
