#include "logic/connect/MachineList.h"

#include "comm/CommLibrary.h"

namespace qv {

namespace {

uint8_t AddressOf(const std::string& ip) {
  return comm::CommLibrary::DeviceAddressOf(ip);
}

}  // namespace

MachineList::Rect MachineList::TileFor(std::size_t n) {
  const int i = static_cast<int>(n);
  return {10 + 210 * (i % 4), 80 + 90 * (i / 4), 200, 80};
}

bool MachineList::WellFormed(const std::string& ip) {
  std::vector<std::size_t> lengths;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = ip.find('.', start);
    lengths.push_back((dot == std::string::npos ? ip.size() : dot) - start);
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  if (!lengths.empty() && lengths.back() == 0) lengths.pop_back();
  if (lengths.size() != 4) return false;
  for (std::size_t length : lengths) {
    if (length < 1 || length > 3) return false;
  }
  return true;
}

void MachineList::Search() {
  entries_.clear();
  encoder_.model().TargetAddress = kBroadcastAddress;
  encoder_.EncodeAndSend(CommandType::SearchPing, {0xFF});
}

MachineList::Effects MachineList::AddFound(const std::string& ip,
                                           const std::array<uint32_t, 2>& hostInfo) {
  Effects effects;
  if (ip.empty()) return effects;  // an empty answer only closes the notice
  for (const Entry& e : entries_) {
    if (e.ip == ip) return effects;
  }
  Entry entry;
  entry.ip = ip;
  for (int i = 0; i < 6; ++i) entry.mac[i] = static_cast<uint8_t>(hostInfo[i / 4] >> (8 * (i % 4)));
  entry.tile = TileFor(entries_.size());
  entry.name = nameOf_(entry.mac, entries_.size());
  entry.timerId = entries_.empty() ? kFirstTimerId : entries_.back().timerId + 1;
  effects.startCompletionTimer = entries_.empty();
  entries_.push_back(std::move(entry));
  effects.repaint = true;
  return effects;
}

MachineList::Effects MachineList::CompleteSearch() {
  Effects effects;
  std::vector<uint8_t> addresses;
  for (const Entry& e : entries_) addresses.push_back(WellFormed(e.ip) ? AddressOf(e.ip) : 0);
  CommLink& link = encoder_.link();
  link.CommSetAddressList(addresses);
  for (const Entry& e : entries_) {
    if (WellFormed(e.ip)) link.CommOpenHost(e.ip, kDefaultLinkPort);
  }
  DeviceModel& model = encoder_.model();
  model.SearchStatus = 0;
  if (model.NetworkMode != 1) {
    model.NetworkMode = 1;
    effects.switchedToNetwork = true;
  }
  return effects;
}

void MachineList::MakeTarget(std::size_t index) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    entries_[i].target = i == index;
  }
  encoder_.model().TargetAddress = AddressOf(entries_[index].ip);
}

void MachineList::ReadTarget(const Entry& entry, Effects& effects) {
  encoder_.link().CommSelectHost(entry.ip);
  encoder_.EncodeAndSend(CommandType::QueryFullState);
  effects.showReadingNotice = true;
  effects.lampChanged = true;
  effects.lamp = entry.online;
  effects.targetAddressText = entry.ip;
}

MachineList::Effects MachineList::OnReply(uint8_t address, bool arrived, bool searchStatus) {
  Effects effects;
  if (searchStatus && entries_.size() == 1 && !entries_[0].target) {
    MakeTarget(0);
    entries_[0].selected = true;
    effects.repaint = true;
  }
  for (Entry& e : entries_) {
    if (!WellFormed(e.ip) ? address != 0 : AddressOf(e.ip) != address) continue;
    if (searchStatus) e.linkUp = arrived;
    if (e.online != arrived) {
      e.online = e.onlineShown = arrived;
      effects.repaint = true;
    }
    if (e.target) {
      effects.lampChanged = true;
      effects.lamp = e.online;
      if (searchStatus && e.online) ReadTarget(e, effects);
    }
    effects.restartWatchdogs.push_back(e.timerId);
  }
  return effects;
}

MachineList::Effects MachineList::OnWatchdog(std::size_t index) {
  Effects effects;
  if (index >= entries_.size()) return effects;
  Entry& e = entries_[index];
  if (e.linkUp) return effects;
  if (++e.missCount <= kMissesBeforeOffline) return effects;
  e.online = false;
  if (e.onlineShown || firstExpiry_) {
    e.onlineShown = false;
    firstExpiry_ = false;
    effects.repaint = true;
    if (e.target && encoder_.model().NetworkMode == 1) {
      effects.lampChanged = true;
      effects.lamp = false;
    }
  }
  e.missCount = 0;
  return effects;
}

void MachineList::Select(std::size_t index) {
  for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i].selected = i == index;
}

MachineList::Effects MachineList::Connect(std::size_t index, bool doubleClick,
                                          const std::function<bool()>& confirm,
                                          bool* offlineRefused) {
  Effects effects;
  if (offlineRefused) *offlineRefused = false;
  if (index >= entries_.size()) return effects;
  Entry& e = entries_[index];
  if (!e.online) {
    if (doubleClick) {
      if (offlineRefused) *offlineRefused = true;
      return effects;
    }
    MakeTarget(index);
    effects.repaint = true;
    if (WellFormed(e.ip)) encoder_.link().CommOpenHost(e.ip, kDefaultLinkPort);
    return effects;
  }
  if (!e.target) {
    if (!confirm()) return effects;
    MakeTarget(index);
    effects.repaint = true;
  }
  ReadTarget(e, effects);
  return effects;
}

}  // namespace qv
