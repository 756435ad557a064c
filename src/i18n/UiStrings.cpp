#include "UiStrings.h"

#include <utility>

namespace qv {

namespace {

constexpr std::array<std::string_view, UiStrings::kCount> kBuiltin = {
    // 0
    "Picture Mode",
    "Color Temperature",
    "Output Resolution",
    "Rotate",
    "Input Source",
    "Automatic Arrangement",
    "Manual Arrangement",
    "Sync Mode",
    "PIP3 Usage",
    "Position",
    // 10
    "Clear",
    "Files",
    "Operate",
    "Chroma Keyer",
    "Keyer Mode",
    "EDID Selcet",
    "More",
    "Display Adjustment",
    "ADC Adjustment",
    "DDC Setting",
    // 20
    "Test Pattern",
    "Pixel Grab",
    "Date And Time",
    "Machine Time",
    "Local Time",
    "Schedule",
    "Task Edit",
    "Loopout Setting",
    "Switch Mode",
    "System Information",
    // 30
    "Factory Reset",
    "Please Select A Ip",
    "Select the Machine ?",
    "Edid Apply",
    "VGA Adjustment",
    "Password Is Error",
    "Preset is Invalid",
    "Save The Preset?",
    "Tips",
    "The Machine Is Offline",
    // 40
    "SWITCH ON",
    "SWITCH OFF",
    " User ",
    " White On Black1",
    " White On Black2",
    " Black On White1",
    " Black On White2",
    " Green On Black1",
    " Green On Black2",
    " Green On White1",
    // 50
    " Green On White2",
    " Red On Black1",
    " Red On Black2",
    " Red On White1",
    " Red On White2",
    "PIP3 Is Off",
    "Restart The Machine",
    " Standard ",
    " Low Light1 ",
    " Low Light2 ",
    // 60
    " Low Light3 ",
    " Video ",
    " Graphic ",
    " Monochrome ",
    " User ",
    "Waitting Operation ...",
    "Ok",
    "Failed",
    "Picture Setting",
    "Output Setting",
    // 70
    "Image Crop",
    "Misc Settings",
    "PIP Settings",
    "Logo Settings",
    "Chroma Keyer Settings",
    "EDID Settings",
    "VGA Adjustment",
    "Test Pattern",
    "Time/Task Management",
    "Misc Settings",
    // 80
    "Load",
    "Save",
    "Getting Data From Desitination... ",
    "Search Desitination Machine... ",
    "Set Data To Desitination...",
    "Connect Failed!",
    "Switcher Mode",
    "Connection Type",
    "Connection Status",
    "File Setting",
    // 90
    "Multi-Machine Mode",
    "Com Connection",
    "Network Connection",
    "Connection Setting",
    "Search Machines",
    "Local Ip Address",
    "Customized  Resolution",
    "Setting",
    "Switcher Mode",
    "Logo Position is changed, please Load logo",
    // 100
    " Free Run",
    " Lock To Main Input",
    " Lock To Genlock",
    " Lock To DVI1",
    " Lock To DVI2",
    " Lock To HDMI1",
    " Lock To HDMI2",
    " Lock To DP1",
    " Lock To DVI3",
    " Lock To DVI4",
    // 110
    " Lock To HDMI3",
    " Lock To HDMI4",
    " Lock To DP2",
    " Auto",
    " Mode 1",
    " Mode 2",
    " Opaque",
    " Translucent",
    " Transparent",
    " Freeze",
    // 120
    " Speed 1",
    " Speed 2",
    " Speed 3",
    " Left",
    " Right",
    "Caption Setting",
    "Local Preview",
    "Display Area",
    "Caption Input",
    "Send Caption Time Out",
    // 130
    "Caption 1",
    "Caption 2",
    "Caption 3",
    "Caption 4",
    "Video Display Setting",
    "Reset Caption ?",
    "In Serial Interface mode Take Function is not available",
    "Video Display",
    "Fluency",
    "Standard Definition",
    // 140
    "High Definition",
    "Ultra Clear",
    "Update Failure",
    "Success, Pls Restart the Machine",
    "Update",
    "Fixed to HDMI",
    "Fixed to DP",
    "Auto",
    "Auto(Default HDMI)",
    "Auto(Default DP)",
    // 150
    "Port Switch Method",
    "Media Player Setting",
    "Chroma Keyer On PIP3",
    "Chroma Keyer On PIP1",
    "Rectangle",
    "Rectangle Left",
    "Rectangle Right",
    "Rectangle Up",
    "Rectangle Down",
    "Feathering",
    // 160
    "PIP3 Input Source Is  Signal Off",
};

bool InRange(int index) {
  return index >= 0 && index < UiStrings::kCount;
}

}  // namespace

UiStrings::UiStrings() {
  for (int i = 0; i < kCount; ++i) texts_[i] = kBuiltin[i];
}

std::string_view UiStrings::Builtin(int index) {
  return InRange(index) ? kBuiltin[index] : "";
}

const std::string& UiStrings::Get(int index) const {
  static const std::string kEmpty;
  return InRange(index) ? texts_[index] : kEmpty;
}

void UiStrings::Set(int index, std::string text) {
  if (InRange(index)) texts_[index] = std::move(text);
}

void UiStrings::Reload(const std::function<std::string(const std::string& key)>& lookup) {
  for (int i = 0; i < kCount; ++i) texts_[i] = lookup("SIDS_" + std::to_string(i));
}

}  // namespace qv
