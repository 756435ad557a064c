#pragma once
// The console's small persistent settings in Info.ini: the current project,
// the language, the serial port, the operator's names for inputs, presets and
// processors, and the LED tool's folder. Every read goes to the file and every
// write replaces it atomically, so two windows never hold stale copies.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace qv {

class InfoSettings {
 public:
  explicit InfoSettings(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& path() const { return path_; }

  std::string ProjectPath() const;
  std::string SetProjectPath(const std::string& projectPath);

  std::string Language() const;  // empty when never written
  std::string SetLanguage(const std::string& name);

  // Serial port and time-out of the last serial link opened.
  std::string SerialPort() const;
  std::string SerialTimeout() const;
  std::string SetSerialLink(const std::string& port);

  // The operator's name for input code 0..11; empty keeps the built-in label.
  std::string InputRemark(int inputCode) const;
  std::string SetInputRemark(int inputCode, const std::string& name);

  // Bank 0..2, preset 0..9; "bank-preset" when never named.
  std::string PresetName(int bank, int preset) const;
  std::string SetPresetName(int bank, int preset, const std::string& name);

  // Processors are named by hardware address; `ordinal` (counted from 0) makes
  // the default name of one never named.
  static std::string MacSection(const std::array<uint8_t, 6>& mac);
  std::string MachineName(const std::array<uint8_t, 6>& mac, int ordinal) const;
  std::string SetMachineName(const std::array<uint8_t, 6>& mac, const std::string& name);

  std::string LedConfigPath() const;

 private:
  std::string Read(const std::string& section, const std::string& key, std::size_t maxChars = 256,
                   const std::string& defaultValue = {}) const;
  std::string Write(const std::string& section, const std::string& key,
                    const std::string& value) const;

  std::filesystem::path path_;
};

}  // namespace qv
