#pragma once
#include <utility>
#include <vector>

#include "link/NotificationSink.h"

namespace qv::test {

// Records notifications as (kind, arg) pairs; a closed waiting dialog shows as (-1, 0).
class RecordingSink : public NotificationSink {
 public:
  static constexpr int kClosed = -1;
  void Notify(ReplyKind kind, int arg) override {
    events.emplace_back(static_cast<int>(kind), arg);
  }
  void CloseWaitingDialog() override { events.emplace_back(kClosed, 0); }
  std::vector<std::pair<int, int>> events;
};

}  // namespace qv::test
