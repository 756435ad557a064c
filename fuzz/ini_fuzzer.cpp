// Drives the settings-file parser with arbitrary bytes: parsing, lookups and
// edits must never crash, and an entry just written must read back unchanged
// from the saved bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qv::IniFile file = qv::IniFile::ParseFromBytes(bytes);

  // Names and a value taken from the input reach the matching code with
  // whatever bytes the fuzzer finds.
  const std::string_view head = bytes.substr(0, 16);
  file.Find(head, head);
  file.Get("Setting", "Language", head);
  file.Set(head, "Key", head);
  file.Set("Setting", head, "value");

  constexpr std::string_view kValue = " kept blanks \"and quotes\" ";
  if (!file.Set("Fuzz", "Probe", kValue)) std::abort();
  const std::string saved = file.Serialize();
  if (saved.size() <= qv::IniFile::kMaxFileBytes &&
      qv::IniFile::ParseFromBytes(saved).Find("fuzz", "PROBE") != kValue) {
    std::abort();
  }
  return 0;
}
