#pragma once
// A settings file in the profile-string format the console's files have always
// used, with the matching rules of the Windows profile calls:
// - section and key names match without regard to ASCII case, blanks around
//   them ignored; only the first section of a name counts, and in it the first
//   key of a name;
// - a value loses the blanks and tabs around it and then one enclosing pair of
//   double (or single) quotes, which is how inner leading or trailing blanks
//   are kept;
// - lines that are neither a section header nor key=value (comments starting
//   with ';' included) are kept as they are.
// Writing a key changes its line in place and leaves every other line alone.
//
// Files are read as UTF-16LE when they start with FF FE, as UTF-8 otherwise
// (a UTF-8 BOM is dropped); saving keeps the encoding and line ends found.
// Input is bounded: at most kMaxFileBytes of a file are read and a line keeps
// at most kMaxLineBytes. A document cut by either limit is incomplete and
// refuses to be saved, so that updating one key never silently drops the rest.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv {

class IniFile {
 public:
  enum class Encoding { Utf8, Utf8WithBom, Utf16Le };

  // One section's entries as lookups reach them, for many lookups in a
  // document that does not change: each answers as Find would, without a
  // pass over the whole file.
  class SectionIndex {
   public:
    std::optional<std::string> Find(std::string_view key) const;

   private:
    friend class IniFile;
    std::unordered_map<std::string, std::string> values_;  // by folded key name
  };

  static constexpr std::size_t kMaxFileBytes = 16u << 20;
  static constexpr std::size_t kMaxLineBytes = 64u << 10;

  // A missing file gives an empty document. A file that exists but cannot be
  // read also gives an empty document and sets *error (when given).
  static IniFile Load(const std::filesystem::path& path, std::string* error = nullptr);
  static IniFile ParseFromBytes(std::string_view bytes);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string Get(std::string_view section, std::string_view key,
                  std::string_view defaultValue = {}) const;
  SectionIndex Index(std::string_view section) const;

  // Returns false, leaving the document unchanged, when the entry cannot be
  // stored so that it reads back the same: an empty name, a line break
  // anywhere, '=' in the key or a key starting with ';' or '[', ']' in the
  // section name, or a line longer than kMaxLineBytes.
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  // Adds each entry `from` answers that this document does not, with the
  // value `from` reads back; entries already here keep theirs. Returns how
  // many were added (an entry Set refuses is skipped).
  std::size_t AddMissing(const IniFile& from);

  // The file's bytes in the document's encoding.
  std::string Serialize() const;
  // Writes atomically; returns an empty string or the reason it failed.
  std::string Save(const std::filesystem::path& path) const;

  Encoding encoding() const { return encoding_; }
  bool complete() const { return complete_; }

 private:
  std::vector<std::string> lines_;
  Encoding encoding_ = Encoding::Utf8;
  bool crlf_ = false;
  bool complete_ = true;
};

// The profile calls the rest of the program uses. `maxChars` is the size of
// the caller's buffer in characters, terminator included, so at most
// maxChars - 1 characters come back (none for 0).
std::string ReadProfileString(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t maxChars);
// Creates the file when missing (not its folder); returns "" or the reason.
std::string WriteProfileString(const std::filesystem::path& path, std::string_view section,
                               std::string_view key, std::string_view value);

}  // namespace qv
