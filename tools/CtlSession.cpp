#include "CtlSession.h"

#include <cstdio>

#include "link/ReplyKind.h"
#include "project/ProjectFile.h"
#include "project/ProjectSession.h"

namespace qv::ctl {

namespace {

using std::chrono::milliseconds;

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string Hz(uint16_t hundredths) {
  char text[32];
  std::snprintf(text, sizeof text, "%u.%02u Hz", hundredths / 100u, hundredths % 100u);
  return text;
}

}  // namespace

CtlSession::CtlSession(CtlOptions options, std::ostream& out, std::ostream& err)
    : options_(std::move(options)), out_(out), err_(err) {
  dispatcher_.RegisterHandlers(link_);
  // Acknowledgement frames proper, not every reply that notes an answer: a
  // command counts as taken only when the processor says so.
  link_.CommRegisterHandler(
      [this](const ReplyView& view) {
        ++acks_;
        dispatcher_.OnReply(static_cast<int>(ReplyKind::Ack), view);
      },
      static_cast<int>(ReplyKind::Ack));
  link_.CommSetDiscoveryTargets(options_.searchTargets);
}

// The link's thread posts into the loop and the dispatcher: stop it first.
CtlSession::~CtlSession() {
  link_.CommShutdown();
}

void CtlSession::Notify(ReplyKind kind, int arg) {
  switch (kind) {
    case ReplyKind::SearchStatusReply:
      if (model_.ReplyAddress == linkAddress_) linkUp_ = model_.ReplyArrived != 0;
      return;
    case ReplyKind::Ack:
      return;
    case ReplyKind::FullStateReply:
      ++fullStates_;
      break;
    case ReplyKind::HostFoundReply: {
      if (model_.HostText.empty() || !found_.insert(model_.HostText).second) return;
      const uint32_t a = model_.HostInfo[0], b = model_.HostInfo[1];
      char mac[32];
      std::snprintf(mac, sizeof mac, "%02x:%02x:%02x:%02x:%02x:%02x", a & 0xFF, a >> 8 & 0xFF,
                    a >> 16 & 0xFF, a >> 24 & 0xFF, b & 0xFF, b >> 8 & 0xFF);
      out_ << model_.HostText << "  " << mac << "  " << model_.HostName << "\n";
      return;
    }
    default:
      break;
  }
  if (echoReplies_) out_ << "reply " << static_cast<int>(kind) << " " << arg << "\n";
}

void CtlSession::CloseWaitingDialog() {
  ++waitingClosed_;
}

bool CtlSession::Fail(const std::string& message) {
  err_ << "qvctl: " << message << "\n";
  return false;
}

int CtlSession::Exit(int code, const std::string& message) {
  Fail(message);
  return code;
}

bool CtlSession::Connect() {
  const milliseconds timeout(options_.timeoutMs);
  if (!options_.serial.empty()) {
    const uint8_t all[] = {comm::kAllDevices};
    link_.CommSetAddressList(all);
    if (link_.CommOpenSerial(options_.serial, options_.baud) == 0) {
      return Fail("cannot open the serial line " + options_.serial);
    }
    linkAddress_ = comm::kAllDevices;
    model_.NetworkMode = 0;
  } else {
    linkAddress_ = comm::CommLibrary::DeviceAddressOf(options_.host);
    model_.TargetAddress = linkAddress_;
    const uint8_t list[] = {linkAddress_};
    link_.CommSetAddressList(list);
    link_.CommOpenHost(options_.host, options_.port);
  }
  if (!loop_.RunUntil([this] { return linkUp_; }, timeout)) {
    return Fail("no link to " + (options_.serial.empty()
                                     ? options_.host + ":" + std::to_string(options_.port)
                                     : options_.serial));
  }
  if (!options_.serial.empty()) return true;
  link_.CommSelectHost(options_.host);
  return true;
}

bool CtlSession::FullRead() {
  const int states = fullStates_;
  const int closed = waitingClosed_;
  encoder_.EncodeAndSend(CommandType::QueryFullState);
  // The read is over when the reply that closes the console's waiting notice
  // has come after the whole state.
  const bool done = loop_.RunUntil(
      [&] { return fullStates_ > states && waitingClosed_ > closed && !dispatcher_.Waiting(); },
      milliseconds(options_.timeoutMs));
  return done || Fail("the processor did not send its whole state");
}

bool CtlSession::WaitAcks(int since, int count) {
  const int target = since + count;
  return loop_.RunUntil([&] { return acks_ >= target; }, milliseconds(options_.timeoutMs)) ||
         Fail("the processor did not acknowledge");
}

int CtlSession::Run() {
  const std::string& c = options_.command;
  if (c == "search") return Search();
  if (!Connect()) return kFailed;
  if (c == "pull") return Pull();
  if (c == "push") return Push();
  if (c == "send") return Send();
  if (c == "route") return Route();
  if (c == "preset" || c == "template") return PresetOrTemplate();
  if (c == "take") return Take();
  if (c == "status") return Status();
  return kUsage;
}

int CtlSession::Pull() {
  if (!FullRead()) return kFailed;
  const std::string error = ProjectFile::WriteProject(model_, options_.args[0]);
  if (!error.empty()) return Exit(kFailed, error);
  return kOk;
}

int CtlSession::Push() {
  const auto record = ProjectFile::ReadProjectRecord(options_.args[0]);
  if (!record) return Exit(kFailed, "cannot read " + options_.args[0]);
  dispatcher_.ApplyProjectRecord(*record);
  const int acks = acks_;
  ProjectSession::SendConfiguration(model_, encoder_);
  return WaitAcks(acks, 2) ? kOk : kFailed;  // the feathering, then the record
}

int CtlSession::Send() {
  if (options_.pull && !FullRead()) return kFailed;
  if (!options_.project.empty()) {
    const auto record = ProjectFile::ReadProjectRecord(options_.project);
    if (!record) return Exit(kFailed, "cannot read " + options_.project);
    dispatcher_.ApplyProjectRecord(*record);
  }
  std::vector<uint8_t> args(options_.numbers.begin() + 1, options_.numbers.end());
  echoReplies_ = true;
  const int acks = acks_;
  const int result = encoder_.EncodeAndSend(options_.numbers[0], std::span<const uint8_t>(args));
  if (result == CommandEncoder::kRejected) {
    return Exit(kUsage,
                "the arguments name a window, cell, slot or record the model does not have");
  }
  if (result < 0) return Exit(kFailed, "no route to the processor");
  return WaitAcks(acks, 1) ? kOk : kFailed;
}

int CtlSession::Route() {
  const int window = options_.numbers[0];
  model_.rec.Chnl[window].ChnlInput = static_cast<uint8_t>(options_.numbers[1]);
  const int acks = acks_;
  encoder_.EncodeAndSend(CommandType::SetWindowInput, {static_cast<uint8_t>(window)});
  return WaitAcks(acks, 1) ? kOk : kFailed;
}

int CtlSession::PresetOrTemplate() {
  const bool load = options_.args[0] == "load";
  const bool preset = options_.command == "preset";
  const uint8_t number = static_cast<uint8_t>(options_.numbers[0]);
  // Templates are addressed with operation 0 for both load and save.
  const uint8_t operation = preset ? (load ? 1 : 2) : 0;
  const int acks = acks_;
  encoder_.EncodeAndSend(CommandType::PresetCommand, {operation, number});
  if (!WaitAcks(acks, 1)) return kFailed;
  if (load && !FullRead()) return kFailed;
  return kOk;
}

int CtlSession::Take() {
  const int acks = acks_;
  encoder_.EncodeAndSend(CommandType::Take);
  return WaitAcks(acks, 1) ? kOk : kFailed;
}

int CtlSession::Search() {
  encoder_.EncodeAndSend(CommandType::SearchPing, {0xFF});
  // Processors answer within moments; a quiet network is not an error.
  loop_.RunFor(milliseconds(std::min(options_.timeoutMs, 1500)));
  return kOk;
}

int CtlSession::Status() {
  if (!FullRead()) return kFailed;
  const DeviceStatusRecord& r = model_.rec;
  out_ << "output: " << r.HReso << "x" << r.VReso << " " << Hz(r.Fps) << " (preset " << r.ResoIndex
       << ")\n";
  for (int i = 0; i < kInputSlotCount; ++i) {
    const InputLabel& label = model_.InputLabels[i];
    if (!label.usable) continue;
    out_ << "input " << i << " " << Trim(label.label) << ": ";
    if (r.InputState[i]) {
      out_ << r.InputReso[i].HAct << "x" << r.InputReso[i].VAct << " " << Hz(r.InputReso[i].Fps)
           << "\n";
    } else {
      out_ << "no signal\n";
    }
  }
  for (int k = 0; k < kWindowCount; ++k) {
    const ChnlData& ch = r.Chnl[k];
    const int input = ch.ChnlInput;
    out_ << "window " << k << (k == 0 ? " (main)" : " (PIP " + std::to_string(k) + ")") << ": "
         << (ch.ChnlOnOff || k == 0 ? "on" : "off") << ", input "
         << (input < kInputCodeCount ? Trim(model_.InputLabels[input].label)
                                     : std::to_string(input))
         << ", " << ch.HPos << "," << ch.VPos << " " << ch.HAct << "x" << ch.VAct << "\n";
  }
  out_ << "switcher mode: " << r.PvwMode << ", presets stored:";
  for (int n = 0; n < kPresetCount; ++n) {
    if (model_.PresetValid[n]) out_ << " " << n;
  }
  out_ << "\n";
  return kOk;
}

}  // namespace qv::ctl
