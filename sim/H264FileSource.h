#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "PreviewSource.h"

namespace qv::sim {

// Plays an H.264 Annex B file as the preview: its access units in file order,
// starting over after the last one.
class H264FileSource : public PreviewSource {
 public:
  // Throws std::runtime_error when the file cannot be read or holds no picture.
  explicit H264FileSource(const std::filesystem::path& path);

  std::vector<uint8_t> NextBlock() override;
  std::size_t size() const { return units_.size(); }

 private:
  std::vector<std::vector<uint8_t>> units_;
  std::size_t next_ = 0;
};

}  // namespace qv::sim
