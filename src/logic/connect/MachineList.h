#pragma once
// The processors a network search found and what the search page does with
// them, apart from drawing: tiles, names, presence watch, the target and
// connecting to it. The page owns the timers and the drawing and performs the
// window-side effects each call returns.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/CommandEncoder.h"

namespace qv {

class MachineList {
 public:
  struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
  };
  struct Entry {
    bool online = false;
    bool onlineShown = false;
    bool target = false;
    bool selected = false;
    std::string name;
    std::string ip;
    Rect tile;
    std::array<uint8_t, 6> mac{};
    int timerId = 0;
    int missCount = 0;
    // The link library reported the link to this processor up and not down
    // since. Its keepalive notices a silent processor within seconds and
    // reports it; the watchdog only watches processors with no open link,
    // which an idle but linked processor would otherwise fail.
    bool linkUp = false;
  };
  // What the page must do after a call.
  struct Effects {
    bool repaint = false;
    bool startCompletionTimer = false;  // one second after the first answer
    bool showReadingNotice = false;     // "Getting Data From Desitination... "
    bool lampChanged = false;           // page request 1472 with `lamp`
    bool lamp = false;
    std::string targetAddressText;      // page request 1473 when not empty
    bool switchedToNetwork = false;     // page request 1466
    std::vector<int> restartWatchdogs;  // timer ids to restart with 10 s
  };

  static constexpr int kFirstTimerId = 2735;
  static constexpr int kWatchdogMs = 10000;
  static constexpr int kMissesBeforeOffline = 2;  // offline on the third expiry

  // `nameOf` names the processor with a hardware address found as the n-th
  // (from 0): its name in Info.ini, or a default made from n.
  using NameOf = std::function<std::string(const std::array<uint8_t, 6>&, std::size_t)>;
  MachineList(CommandEncoder& encoder, NameOf nameOf)
      : encoder_(encoder), nameOf_(std::move(nameOf)) {}

  const std::vector<Entry>& entries() const { return entries_; }
  void Clear() { entries_.clear(); }

  // Starts a search: the list empties and every processor is addressed.
  void Search();
  // A processor answered the search.
  Effects AddFound(const std::string& ip, const std::array<uint32_t, 2>& hostInfo);
  // One second after the first answer: link to every processor found.
  Effects CompleteSearch();
  // A link status (`searchStatus`) or any reply (`!searchStatus`) from `address`.
  Effects OnReply(uint8_t address, bool arrived, bool searchStatus);
  // Entry `index`'s watchdog ran out.
  Effects OnWatchdog(std::size_t index);
  // Connect button or double-click on entry `index`. `confirm` asks "Select the
  // Machine ?" and returns the answer; `offlineRefused` is set when a
  // double-click finds the processor offline (nothing else happens then).
  Effects Connect(std::size_t index, bool doubleClick, const std::function<bool()>& confirm,
                  bool* offlineRefused);
  void Select(std::size_t index);
  void Rename(std::size_t index, std::string name) { entries_.at(index).name = std::move(name); }

  static Rect TileFor(std::size_t n);
  // Well-formed: four pieces of 1..3 characters (a trailing dot allowed).
  static bool WellFormed(const std::string& ip);

 private:
  void MakeTarget(std::size_t index);
  void ReadTarget(const Entry& entry, Effects& effects);

  CommandEncoder& encoder_;
  NameOf nameOf_;
  std::vector<Entry> entries_;
  bool firstExpiry_ = true;
};

}  // namespace qv
