#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace qv {

// Replaces a file's content so that a crash at any moment leaves either the
// old file or the new one whole: the bytes go to a temporary file in the same
// folder, are flushed to disk, and the temporary is renamed over the target.
// Temporaries an earlier write of the same file left behind (the program was
// killed mid-write) are removed once the new file is in place.
class AtomicFile {
 public:
  // Returns an empty string on success, else a one-line reason. The target's
  // folder must exist; nothing is created outside it but the temporary.
  static std::string Write(const std::filesystem::path& target, std::string_view bytes);
};

}  // namespace qv
