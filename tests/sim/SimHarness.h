#pragma once
// The console's link core wired to a simulated processor: what the console
// sends goes to the SimDevice, and the processor's replies come back through
// the console's reply handling, with the console's waits run on a manual clock.

#include <vector>

#include "SimDevice.h"
#include "support/LinkHarness.h"

namespace qv::test {

struct SimExchange {
  int type;  // the command type, or 22 for a whole record
  std::vector<sim::SimReply> replies;
};

struct SimHarness : LinkHarness {
  explicit SimHarness(sim::SimDeviceOptions options = {}) : sim(std::move(options)) {}

  // Carries commands and replies back and forth until the console sends
  // nothing more and has no wait pending.
  void Pump() {
    std::size_t commandsDone = 0, recordsDone = 0;
    for (int round = 0; round < 1000; ++round) {
      bool moved = false;
      while (recordsDone < link.records.size()) {
        Answer(kWriteFullState, sim.OnRecord(link.records[recordsDone++]));
        moved = true;
      }
      while (commandsDone < link.sent.size()) {
        const SentCommand c = link.sent[commandsDone++];
        Answer(c.type, sim.OnCommand(c.type, c.payload));
        moved = true;
      }
      if (!moved) {
        if (!scheduler.HasTimers()) break;
        scheduler.Advance(50);
      }
    }
    link.sent.clear();
    link.records.clear();
  }

  // Replies of every exchange, in order.
  std::vector<sim::SimReply> AllReplies() const {
    std::vector<sim::SimReply> all;
    for (const auto& e : exchanges) all.insert(all.end(), e.replies.begin(), e.replies.end());
    return all;
  }

  sim::SimDevice sim;
  std::vector<SimExchange> exchanges;

 private:
  static constexpr int kWriteFullState = 22;

  void Answer(int type, std::vector<sim::SimReply> replies) {
    exchanges.push_back({type, replies});
    for (const sim::SimReply& r : replies)
      link.Deliver(r.kind, r.payload, r.arg, model.TargetAddress);
    scheduler.RunPending();
  }
};

}  // namespace qv::test
