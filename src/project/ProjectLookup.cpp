#include "ProjectLookup.h"

#include <algorithm>

#include "base/Utf8.h"

namespace qv {

ProjectLookup::ProjectLookup(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) {
    text_ = utf8::FromUtf16Le(bytes.substr(2));
  } else {
    text_.assign(bytes);
  }
  const std::string_view text(text_);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) {
      end = text.size();
    } else {
      while (end > start && text[end - 1] == '\r') --end;
    }
    for (std::size_t piece = start; piece < end; piece += kMaxLineBytes) {
      AddLine(text.substr(piece, std::min(kMaxLineBytes, end - piece)));
    }
    start = next;
  }
}

void ProjectLookup::AddLine(std::string_view line) {
  if (line.starts_with('[')) {
    const std::size_t close = line.find(']');
    if (close != std::string_view::npos) lines_.push_back({true, line.substr(1, close - 1), {}});
    return;
  }
  const std::size_t equals = line.find('=');
  if (equals != std::string_view::npos) {
    lines_.push_back({false, line.substr(0, equals), line.substr(equals + 1)});
  }
}

std::optional<std::string_view> ProjectLookup::FindValue(std::string_view section,
                                                         std::string_view key) {
  if (auto value = SearchToEnd(section, key)) return value;
  next_ = 0;
  return SearchToEnd(section, key);
}

std::optional<std::string_view> ProjectLookup::SearchToEnd(std::string_view section,
                                                           std::string_view key) {
  while (next_ < lines_.size()) {
    const Line& line = lines_[next_++];
    if (line.header) {
      section_ = line.name;
    } else if (line.name == key && section_ == section) {
      return line.value;
    }
  }
  return std::nullopt;
}

}  // namespace qv
