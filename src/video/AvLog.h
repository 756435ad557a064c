#pragma once
// libav's own messages, kept from the terminal. A console that joins a
// running stream, or a damaged one, would otherwise print the same complaint
// for every picture. Warnings and worse are kept, one entry per kind of
// message (its format text) with the first message's text and how often the
// kind came; with QV_AV_LOG set in the environment, the first message of
// each kind also goes to stderr.
//
// libav calls its log from whichever thread it works on, the decode threads
// among them: taking a message locks, copies into fixed buffers and never
// allocates.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

class AvLog {
 public:
  static constexpr std::size_t kMaxKinds = 32;
  static constexpr std::size_t kMaxFormatBytes = 96;  // of a format text, to tell kinds apart
  static constexpr std::size_t kMaxTextBytes = 240;   // of a kept message

  struct Kind {
    int level;         // AV_LOG_PANIC .. AV_LOG_WARNING
    std::string text;  // the first message of the kind, without its line end
    uint64_t count;    // messages of the kind, the first included
  };

  // `echo`, when not null, gets the first message of each kind.
  explicit AvLog(std::FILE* echo) : echo_(echo) {}
  AvLog(const AvLog&) = delete;
  AvLog& operator=(const AvLog&) = delete;

  // Sends libav's log to Process() from now on. Once per process; any thread.
  static void Install();
  // The log libav's messages go to. libav's log callback takes no context of
  // ours, so this one log is the process's.
  static AvLog& Process();

  // One message: `format` is libav's format text, which tells the kind, and
  // `text` what it came to. Messages above AV_LOG_WARNING are not kept.
  void Take(int level, const char* format, const char* text);

  std::vector<Kind> Kinds() const;
  // Messages of new kinds that came once kMaxKinds kinds were kept.
  uint64_t unkept() const;

 private:
  struct Entry {
    std::array<char, kMaxFormatBytes + 1> format;
    std::array<char, kMaxTextBytes + 1> text;
    int level;
    uint64_t count;
  };

  std::FILE* const echo_;
  mutable std::mutex mutex_;
  std::array<Entry, kMaxKinds> entries_{};  // guarded by mutex_, the first used_ of them
  std::size_t used_ = 0;                    // guarded by mutex_
  uint64_t unkept_ = 0;                     // guarded by mutex_
};

}  // namespace qv
