#include "InfoSettings.h"

#include <cstdio>

#include "base/IniFile.h"

namespace qv {

namespace {

std::string PresetSection(int bank, int preset) {
  return "PRESET" + std::to_string(bank) + "-" + std::to_string(preset);
}

std::string InputSection(int inputCode) {
  return "InPutSrcRemark-" + std::to_string(inputCode);
}

}  // namespace

std::string InfoSettings::Read(const std::string& section, const std::string& key,
                               std::size_t maxChars, const std::string& defaultValue) const {
  return ReadProfileString(path_, section, key, defaultValue, maxChars);
}

std::string InfoSettings::Write(const std::string& section, const std::string& key,
                                const std::string& value) const {
  return WriteProfileString(path_, section, key, value);
}

std::string InfoSettings::ProjectPath() const {
  return Read("Project", "FilePath");
}
std::string InfoSettings::SetProjectPath(const std::string& projectPath) {
  return Write("Project", "FilePath", projectPath);
}

std::string InfoSettings::Language() const {
  return Read("Setting", "Language", 100);
}
std::string InfoSettings::SetLanguage(const std::string& name) {
  return Write("Setting", "Language", name);
}

// Serial ports are device names here (ttyUSB0, /dev/pts/7), not numbers: no
// ten-character cut.
std::string InfoSettings::SerialPort() const {
  return Read("COM", "port");
}
std::string InfoSettings::SerialTimeout() const {
  return Read("COM", "timeout");
}
std::string InfoSettings::SetSerialLink(const std::string& port) {
  std::string error = Write("COM", "port", port);
  if (error.empty()) error = Write("COM", "timeout", "1");
  return error;
}

std::string InfoSettings::InputRemark(int inputCode) const {
  return Read(InputSection(inputCode), "REMARKSTR");
}
std::string InfoSettings::SetInputRemark(int inputCode, const std::string& name) {
  return Write(InputSection(inputCode), "REMARKSTR", name);
}

std::string InfoSettings::PresetName(int bank, int preset) const {
  // The default stands in only for a name never written, as profile reads do.
  return Read(PresetSection(bank, preset), "PNAMESTR", 256,
              std::to_string(bank) + "-" + std::to_string(preset));
}
std::string InfoSettings::SetPresetName(int bank, int preset, const std::string& name) {
  return Write(PresetSection(bank, preset), "PNAMESTR", name);
}

std::string InfoSettings::MacSection(const std::array<uint8_t, 6>& mac) {
  char text[32];
  std::snprintf(text, sizeof text, "%x-%x-%x-%x-%x-%x", mac[0], mac[1], mac[2], mac[3], mac[4],
                mac[5]);
  return text;
}

std::string InfoSettings::MachineName(const std::array<uint8_t, 6>& mac, int ordinal) const {
  std::string name = Read(MacSection(mac), "MachineName");
  return name.empty() ? "QV41X-" + std::to_string(ordinal + 1) : name;
}
std::string InfoSettings::SetMachineName(const std::array<uint8_t, 6>& mac,
                                         const std::string& name) {
  return Write(MacSection(mac), "MachineName", name);
}

std::string InfoSettings::LedConfigPath() const {
  return Read("LED_CONFIG", "LED_CONFIGPATH");
}

}  // namespace qv
