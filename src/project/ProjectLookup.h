#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Finds key values in a project file's text the way project files have always
// been read: a current section and a read position carry over from one
// lookup to the next, and each lookup searches forward from the position,
// then once more from the top. Two keys of the same name in one section are
// thus found one after the other, which a map of unique keys cannot do.
class ProjectLookup {
 public:
  // Longest line the reader takes in one piece; a longer line is read as
  // several lines of at most this many bytes.
  static constexpr std::size_t kMaxLineBytes = 4095;

  // `bytes` is the file as stored: UTF-16LE after an FF FE mark, else narrow text.
  explicit ProjectLookup(std::string_view bytes);
  ProjectLookup(const ProjectLookup&) = delete;
  ProjectLookup& operator=(const ProjectLookup&) = delete;

  // The text after the first '=' of the matching line. Section and key compare
  // exactly: case-sensitive, no blanks trimmed.
  std::optional<std::string_view> FindValue(std::string_view section, std::string_view key);

 private:
  // Only lines that can set the section or match a key are kept; skipping the
  // rest changes no result and keeps a missing key's two passes cheap.
  struct Line {
    bool header = false;
    std::string_view name;   // section for a header, else key
    std::string_view value;  // key lines only
  };

  void AddLine(std::string_view line);
  std::optional<std::string_view> SearchToEnd(std::string_view section, std::string_view key);

  std::string text_;  // lines_ and section_ point into it
  std::vector<Line> lines_;
  std::size_t next_ = 0;
  std::string_view section_;
};

}  // namespace qv
