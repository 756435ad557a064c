#include "DeviceModel.h"

#include <string_view>

namespace qv {

namespace {

constexpr int kSlotHdmiCard = 6;
constexpr int kSlotDpCard = 8;

bool CardUsable(int32_t card) {
  return card >= 0 && card <= 9;
}

std::array<InputLabel, kInputCodeCount> BuiltinInputLabels() {
  static const char* const kTexts[kInputCodeCount] = {" DVI-1 ", " HDMI-1 ", " DVI-2 ", " HDMI-2 ",
                                                      " DP-1 ",  " SDI-1 ",  " EXT-1 ", " EXT-2 ",
                                                      " DP1-L ", " DP1-R ",  " DP2-L ", " DP2-R "};
  std::array<InputLabel, kInputCodeCount> labels;
  for (int i = 0; i < kInputCodeCount; ++i) {
    labels[i].code = i;
    labels[i].usable = i < 6;
    labels[i].isFirst = i == 0;
    labels[i].label = kTexts[i];
  }
  return labels;
}

std::vector<ResoPreset> BuiltinResoPresets() {
  return {
      {1024, 768, 6000, "1024 x 768      60Hz"},   {1280, 1024, 6000, "1280 x 1024    60Hz"},
      {1024, 768, 12000, "1024 x 768      120Hz"}, {1280, 720, 5994, "1280 x 720    59.94Hz"},
      {1280, 720, 6000, "1280 x 720      60Hz"},   {1440, 900, 6000, "1440 x 900      60Hz"},
      {1600, 1200, 6000, "1600 x 1200    60Hz"},   {1600, 1200, 6000, "1600 x 1200 60Hz Redc."},
      {1680, 1050, 6000, "1680 x 1050    60Hz"},   {1920, 1080, 5994, "1920 x 1080    59.94Hz"},
      {1920, 1080, 6000, "1920 x 1080    60Hz"},   {1920, 1080, 5000, "1920 x 1080    50Hz"},
      {2176, 1168, 6000, "2176 x 1168    60Hz"},   {1920, 1200, 6000, "1920 x 1200    60Hz"},
      {1936, 1280, 6000, "1936 x 1280    60Hz"},   {2048, 1152, 6000, "2048 x 1152    60Hz"},
      {1024, 1280, 6000, "1024 x 1280    60Hz"},   {1536, 1536, 6000, "1536 x 1536    60Hz"},
      {1024, 768, 6000, "Customized  Resolution"},
  };
}

}  // namespace

DeviceModel::DeviceModel() {
  InputLabels = BuiltinInputLabels();
  GenlockLabels = {" Free Run",     " Lock To Main Input", " Lock To GenLock", " Lock To DVI1",
                   " Lock To DVI2", " Lock To HDMI1",      " Lock To HDMI2",   " Lock To DP1",
                   " Lock To DVI3", " Lock To DVI4",       " Lock To HDMI3",   " Lock To HDMI4",
                   " Lock To DP2"};
  SyncModeLabels = {" Auto", " Mode 1", " Mode 2"};
  ResoPresets = BuiltinResoPresets();
  ColorTempLabels = {" 4000K ", " 5000K ",  " 6500K ",  " 7500K ", " 8200K ",
                     " 9300K ", " 10000K ", " 11500K ", " User "};
  for (int k = 0; k < kWindowCount; ++k) {
    WindowDefaultRect[k] = {static_cast<uint16_t>(480 * (k % 2)),
                            static_cast<uint16_t>(320 * (k / 2)), 480, 320};
  }
}

DeviceModel& Model() {
  static DeviceModel model;
  return model;
}

namespace {

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::string DeviceModel::InputName(int code) const {
  if (code < 0 || code >= kInputCodeCount) return {};
  const InputLabel& label = InputLabels[static_cast<std::size_t>(code)];
  std::string name = Trimmed(label.displayName);
  return name.empty() ? Trimmed(label.label) : name;
}

std::string DeviceModel::WindowInputName(int window) const {
  if (window < 0 || window >= kWindowCount) return {};
  return InputName(rec.Chnl[window].ChnlInput);
}

int DeviceModel::SourceGroupOf(const DeviceStatusRecord& rec, int window) {
  if (window < 0 || window >= kWindowCount) return 0;
  const int ch = rec.Chnl[window].ChnlInput;
  const bool slot6Hdmi = rec.InputSrc[6] == kSlotHdmiCard;
  const bool board = rec.CmpBoardExist != 0;
  const int32_t act = rec.CmpBoardActNoSrc;
  switch (ch) {
    case 9:
      return 8;
    case 11:
      if (!slot6Hdmi) return 9;
      if (!board) return 0;
      return act == 0 ? 11 : act == 1 ? 9 : 0;
    case 10:
      if (slot6Hdmi) {
        if (!board) return 6;
        return act == 0 ? 10 : act == 1 ? 6 : 0;
      }
      return rec.InputSrc[6] == kSlotDpCard ? 6 : 0;
    case 6:
      if (slot6Hdmi && board) return act == 0 ? 10 : act == 1 ? 6 : 0;
      return 6;
    default:
      // A code outside the known inputs would select a record past the table.
      return ch < kInputCodeCount ? InputCode(ch) / 10 : 0;
  }
}

int DeviceModel::EdidRecordOf(int inputCode) {
  const int j = inputCode > 5 ? inputCode - 1 : inputCode;
  return j >= 0 && j < kEdidRecordCount ? j : -1;
}

void DeviceModel::MoveWindows(int from, int to) {
  for (auto& ch : rec.Chnl) {
    if (ch.ChnlInput == from) ch.ChnlInput = static_cast<uint8_t>(to);
  }
}

void DeviceModel::ApplyDpModes() {
  if (rec.DpMode[0] == 0) {
    InputLabels[4].usable = true;
    InputLabels[8].usable = InputLabels[9].usable = false;
    MoveWindows(8, 4);
    MoveWindows(9, 4);
  } else if (rec.DpMode[0] == 1) {
    InputLabels[4].usable = false;
    InputLabels[8].usable = InputLabels[9].usable = true;
    MoveWindows(4, 8);
  }
  if (rec.InputSrc[6] != kSlotDpCard) return;
  if (rec.DpMode[1] == 0) {
    InputLabels[6].usable = true;
    InputLabels[6].label = " DP-2";
    InputLabels[10].usable = InputLabels[11].usable = false;
    MoveWindows(10, 6);
    MoveWindows(11, 6);
  } else if (rec.DpMode[1] == 1) {
    InputLabels[6].usable = false;
    InputLabels[10].usable = InputLabels[11].usable = true;
    InputLabels[10].label = " DP2-L ";
    InputLabels[11].label = " DP2-R ";
    MoveWindows(6, 10);
  }
}

void DeviceModel::ApplyCompositeBoard() {
  if (rec.CmpBoardExist == 0) return;
  const int32_t a = rec.CmpBoardActNoSrc;
  // The active source indexes the board's three inputs; any other value names
  // no card, and the board then leaves slot 6 as the full read set it.
  if (a < 0 || a > 2) return;
  const int32_t card = rec.CmpBoardIpSrc[a];
  rec.InputSrc[6] = card;
  InputResolution& slot6 = rec.InputReso[6];
  slot6.HAct = rec.CmpBoardActHAct;
  slot6.VAct = rec.CmpBoardActVAct;
  slot6.Fps = rec.CmpBoardActFps;
  slot6.Interlace = rec.CmpBoardActInterlace;
  rec.DpMode[1] = rec.CmpBoardActDual;

  if (card != kSlotDpCard && card != kSlotHdmiCard) return;
  const bool dvi = card == kSlotHdmiCard && a == 0;
  if (card == kSlotDpCard) {
    InputLabels[6].label = " DP-2";
  } else {
    InputLabels[6].label = dvi ? " DVI-3*" : " HDMI-3";
  }
  if (rec.CmpBoardActDual == 0) {
    InputLabels[6].usable = true;
    InputLabels[10].usable = InputLabels[11].usable = false;
    MoveWindows(10, 6);
    MoveWindows(11, 6);
  } else {
    InputLabels[6].usable = false;
    InputLabels[10].usable = InputLabels[11].usable = true;
    MoveWindows(6, 10);
    if (card == kSlotDpCard) {
      InputLabels[10].label = " DP2-L ";
      InputLabels[11].label = " DP2-R ";
    } else if (dvi) {
      InputLabels[10].label = " DVI3*-L ";
      InputLabels[11].label = " DVI3*-R ";
    } else {
      InputLabels[10].label = " HDMI3-L ";
      InputLabels[11].label = " HDMI3-R ";
    }
  }
}

void DeviceModel::RelabelInputsFromRecord() {
  static const char* const kSlotLabels[10][2] = {
      {nullptr, nullptr},   {nullptr, nullptr},      {nullptr, nullptr},     {" VGA-1", " VGA-2"},
      {" DVI-3", " DVI-4"}, {nullptr, nullptr},      {" HDMI-3", " HDMI-4"}, {" SDI-2", " SDI-3"},
      {" DP-2", nullptr},   {" UDISK-1", " UDISK-2"}};
  for (auto& label : InputLabels) label.usable = false;
  for (int i = 0; i < kInputSlotCount; ++i) {
    const int32_t card = rec.InputSrc[i];
    if (!CardUsable(card)) continue;
    InputLabels[i].usable = true;
    if (i >= 6) {
      if (const char* text = kSlotLabels[card][i - 6]) InputLabels[i].label = text;
    }
  }
}

}  // namespace qv
