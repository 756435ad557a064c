#include "base/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <unordered_set>

#include "base/AtomicFile.h"
#include "base/Utf8.h"

namespace qv {

namespace {

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Carriage returns count as blanks, as they do for the Windows profile calls,
// so that a stray one before a line end never becomes part of a name or value.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
  return folded;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldCase(x) == FoldCase(y);
         });
}

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

bool EnclosedInQuotes(std::string_view text) {
  return text.size() >= 2 && IsQuote(text.front()) && text.front() == text.back();
}

std::string_view Unquote(std::string_view rawValue) {
  std::string_view value = Trim(rawValue);
  if (EnclosedInQuotes(value)) value = value.substr(1, value.size() - 2);
  return value;
}

// Quotes exactly the values that reading would otherwise change.
std::string Quote(std::string_view value) {
  const bool needed = !value.empty() &&
                      (IsBlank(value.front()) || IsBlank(value.back()) || EnclosedInQuotes(value));
  return needed ? "\"" + std::string(value) + "\"" : std::string(value);
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != text.npos;
}

struct Line {
  enum class Kind { Other, Section, Key };
  Kind kind = Kind::Other;
  std::string_view name;
  std::string_view rawValue;  // keys only: everything after the first '='
};

Line Classify(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty() || trimmed.front() == ';') return {};
  if (trimmed.front() == '[') {
    const std::size_t close = trimmed.find(']');
    if (close == trimmed.npos) return {};
    return {Line::Kind::Section, Trim(trimmed.substr(1, close - 1)), {}};
  }
  const std::size_t equals = trimmed.find('=');
  if (equals == trimmed.npos) return {};
  const std::string_view name = Trim(trimmed.substr(0, equals));
  if (name.empty()) return {};
  return {Line::Kind::Key, name, trimmed.substr(equals + 1)};
}

// Calls `visit(section, key, rawValue)` for the keys of the first section of
// each name, in file order: the only sections a lookup reaches. A key name
// repeated there comes again; the first is the one a lookup finds.
template <typename Visit>
void ForEachReachableKey(const std::vector<std::string>& lines, Visit visit) {
  std::unordered_set<std::string> sections;
  std::string_view section;
  bool reachable = false;
  for (const std::string& text : lines) {
    const Line line = Classify(text);
    if (line.kind == Line::Kind::Section) {
      section = line.name;
      reachable = sections.insert(FoldedName(line.name)).second;
    } else if (reachable && line.kind == Line::Kind::Key) {
      visit(section, line.name, line.rawValue);
    }
  }
}

// Calls `visit(key, rawValue)` for the keys of the first section named
// `section`, in file order, until it returns false.
template <typename Visit>
void ForEachKeyOfSection(const std::vector<std::string>& lines, std::string_view section,
                         Visit visit) {
  section = Trim(section);
  bool inSection = false;
  for (const std::string& text : lines) {
    const Line line = Classify(text);
    if (line.kind == Line::Kind::Section) {
      if (inSection) return;  // only the first section of that name counts
      inSection = SameName(line.name, section);
    } else if (inSection && line.kind == Line::Kind::Key && !visit(line.name, line.rawValue)) {
      return;
    }
  }
}

std::string ErrnoReason(const char* what, const std::filesystem::path& path) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(errno);
}

}  // namespace

IniFile IniFile::ParseFromBytes(std::string_view bytes) {
  IniFile file;
  if (bytes.substr(0, 2) == kUtf16LeBom) {
    file.encoding_ = Encoding::Utf16Le;
  } else if (bytes.substr(0, 3) == kUtf8Bom) {
    file.encoding_ = Encoding::Utf8WithBom;
  }
  if (bytes.size() > kMaxFileBytes) {
    bytes = bytes.substr(0, kMaxFileBytes);
    file.complete_ = false;
  }

  std::string converted;
  std::string_view text;
  switch (file.encoding_) {
    case Encoding::Utf16Le:
      converted = utf8::FromUtf16Le(bytes.substr(kUtf16LeBom.size()));
      text = converted;
      break;
    case Encoding::Utf8WithBom:
      text = bytes.substr(kUtf8Bom.size());
      break;
    case Encoding::Utf8:
      text = bytes;
      break;
  }

  bool firstEnd = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == text.npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
      if (firstEnd && end != std::string_view::npos) file.crlf_ = true;
    }
    if (end != std::string_view::npos) firstEnd = false;
    if (line.size() > kMaxLineBytes) {
      line = utf8::PrefixBytes(line, kMaxLineBytes);
      file.complete_ = false;
    }
    file.lines_.emplace_back(line);
  }
  return file;
}

IniFile IniFile::Load(const std::filesystem::path& path, std::string* error) {
  if (error) error->clear();
  const auto fail = [&](std::string reason) {
    if (error) *error = std::move(reason);
    return IniFile();
  };
  // Non-blocking so that a FIFO in the file's place cannot hang the caller.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? IniFile() : fail(ErrnoReason("cannot open", path));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return fail("not a regular file: " + path.string());
  }
  // One byte beyond the limit tells ParseFromBytes that the file was cut.
  std::string bytes;
  char buffer[1 << 16];
  while (bytes.size() <= kMaxFileBytes) {
    const std::size_t want = std::min(sizeof buffer, kMaxFileBytes + 1 - bytes.size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      std::string reason = ErrnoReason("cannot read", path);
      ::close(fd);
      return fail(std::move(reason));
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ParseFromBytes(bytes);
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  key = Trim(key);
  std::optional<std::string> found;
  ForEachKeyOfSection(lines_, section, [&](std::string_view name, std::string_view rawValue) {
    if (!SameName(name, key)) return true;
    found = std::string(Unquote(rawValue));
    return false;
  });
  return found;
}

std::string IniFile::Get(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const {
  return Find(section, key).value_or(std::string(defaultValue));
}

IniFile::SectionIndex IniFile::Index(std::string_view section) const {
  SectionIndex index;
  ForEachKeyOfSection(lines_, section, [&](std::string_view name, std::string_view rawValue) {
    // The first key of a name is the one a lookup finds.
    index.values_.emplace(FoldedName(name), std::string(Unquote(rawValue)));
    return true;
  });
  return index;
}

std::optional<std::string> IniFile::SectionIndex::Find(std::string_view key) const {
  const auto it = values_.find(FoldedName(Trim(key)));
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || section.find(']') != section.npos || key.find('=') != key.npos ||
      key.front() == ';' || key.front() == '[') {
    return false;
  }

  std::optional<std::size_t> header;
  std::optional<std::size_t> lastKey;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line line = Classify(lines_[i]);
    if (line.kind == Line::Kind::Section) {
      if (header) break;
      if (SameName(line.name, section)) header = i;
    } else if (header && line.kind == Line::Kind::Key) {
      if (SameName(line.name, key)) {
        // Keep the spelling the file uses for the name.
        std::string updated = std::string(line.name) + "=" + Quote(value);
        if (updated.size() > kMaxLineBytes) return false;
        lines_[i] = std::move(updated);
        return true;
      }
      lastKey = i;
    }
  }

  std::string added = std::string(key) + "=" + Quote(value);
  if (added.size() > kMaxLineBytes) return false;
  if (header) {
    // After the section's last key rather than its last line: a blank line or
    // a comment that introduces the next section stays in front of it.
    const std::size_t at = lastKey.value_or(*header) + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(added));
    return true;
  }
  if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
  lines_.push_back("[" + std::string(section) + "]");
  lines_.push_back(std::move(added));
  return true;
}

std::size_t IniFile::AddMissing(const IniFile& from) {
  const auto id = [](std::string_view section, std::string_view key) {
    return FoldedName(section) + '\n' + FoldedName(key);
  };
  std::unordered_set<std::string> present;
  ForEachReachableKey(lines_, [&](std::string_view section, std::string_view key,
                                  std::string_view) { present.insert(id(section, key)); });
  std::vector<std::array<std::string, 3>> missing;
  ForEachReachableKey(from.lines_, [&](std::string_view section, std::string_view key,
                                       std::string_view rawValue) {
    // Insertion also skips a repeated key: its first value is what `from` reads.
    if (present.insert(id(section, key)).second) {
      missing.push_back({std::string(section), std::string(key), std::string(Unquote(rawValue))});
    }
  });
  std::size_t added = 0;
  for (const auto& [section, key, value] : missing) added += Set(section, key, value) ? 1 : 0;
  return added;
}

std::string IniFile::Serialize() const {
  const std::string_view lineEnd = crlf_ ? "\r\n" : "\n";
  std::string body;
  for (const std::string& line : lines_) {
    body += line;
    body += lineEnd;
  }
  switch (encoding_) {
    case Encoding::Utf16Le:
      return std::string(kUtf16LeBom) + utf8::ToUtf16Le(body);
    case Encoding::Utf8WithBom:
      return std::string(kUtf8Bom) + body;
    case Encoding::Utf8:
      break;
  }
  return body;
}

std::string IniFile::Save(const std::filesystem::path& path) const {
  if (!complete_) {
    return "not saving " + path.string() + ": it was read only in part (over the size limits)";
  }
  return AtomicFile::Write(path, Serialize());
}

std::string ReadProfileString(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t maxChars) {
  if (maxChars == 0) return {};
  const std::string value = IniFile::Load(path).Get(section, key, defaultValue);
  return std::string(utf8::Prefix(value, maxChars - 1));
}

std::string WriteProfileString(const std::filesystem::path& path, std::string_view section,
                               std::string_view key, std::string_view value) {
  std::string error;
  IniFile file = IniFile::Load(path, &error);
  if (!error.empty()) return error;
  if (!file.Set(section, key, value)) {
    return "cannot store [" + std::string(section) + "] " + std::string(key) + " in " +
           path.string();
  }
  return file.Save(path);
}

}  // namespace qv
