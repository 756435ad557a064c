#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace qv::test {

// Whole-file reads and writes for setting up and checking files byte for byte.
inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace qv::test
