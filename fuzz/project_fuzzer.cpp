// Reads arbitrary bytes as a project file. Whatever loads must also save, and
// a saved project must read back to the very same text: saving corrects
// out-of-range values once, so a second round may change nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "project/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qv::DeviceStatusRecord record = qv::ProjectFile::ReadProjectRecordFromBytes(bytes);
  const std::string saved = qv::ProjectFile::FormatProject(record);
  qv::DeviceStatusRecord again = qv::ProjectFile::ReadProjectRecordFromBytes(saved);
  if (qv::ProjectFile::FormatProject(again) != saved) __builtin_trap();
  return 0;
}
