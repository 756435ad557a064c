#include "video/AvLog.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <libavutil/log.h>
}

namespace qv {

namespace {

// Copies at most `N - 1` bytes and always ends the copy.
template <std::size_t N>
void CopyCut(std::array<char, N>& to, const char* from) {
  std::strncpy(to.data(), from, N - 1);
  to[N - 1] = '\0';
}

const char* LevelName(int level) {
  if (level <= AV_LOG_PANIC) return "panic";
  if (level <= AV_LOG_FATAL) return "fatal";
  if (level <= AV_LOG_ERROR) return "error";
  return "warning";
}

void Callback(void* context, int level, const char* format, va_list args) {
  // A test or tool that silences libav with av_log_set_level stays silent here too.
  if (level > AV_LOG_WARNING || level > av_log_get_level() || !format) return;
  char text[AvLog::kMaxTextBytes + 1];
  int used = 0;
  // The reporting object's name ("h264") tells which of libav's codecs or tools speaks.
  const AVClass* avClass = context ? *static_cast<const AVClass* const*>(context) : nullptr;
  if (avClass && avClass->item_name) {
    used = std::snprintf(text, sizeof text, "%s: ", avClass->item_name(context));
    if (used < 0 || static_cast<std::size_t>(used) >= sizeof text) used = 0;
  }
  std::vsnprintf(text + used, sizeof text - static_cast<std::size_t>(used), format, args);
  AvLog::Process().Take(level, format, text);
}

}  // namespace

void AvLog::Install() {
  static std::once_flag once;
  std::call_once(once, [] {
    Process();
    av_log_set_callback(&Callback);
  });
}

AvLog& AvLog::Process() {
  static AvLog log([] {
    const char* wanted = std::getenv("QV_AV_LOG");
    return wanted && *wanted ? stderr : nullptr;
  }());
  return log;
}

void AvLog::Take(int level, const char* format, const char* text) {
  if (level > AV_LOG_WARNING) return;
  std::array<char, kMaxFormatBytes + 1> kind;
  CopyCut(kind, format);
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < used_; ++i) {
    if (std::strcmp(entries_[i].format.data(), kind.data()) == 0) {
      ++entries_[i].count;
      return;
    }
  }
  if (used_ == kMaxKinds) {
    ++unkept_;
    return;
  }
  Entry& entry = entries_[used_++];
  entry.format = kind;
  CopyCut(entry.text, text);
  // libav ends its lines itself; a kept message is one line without it.
  const std::size_t length = std::strlen(entry.text.data());
  if (length > 0 && entry.text[length - 1] == '\n') entry.text[length - 1] = '\0';
  entry.level = level;
  entry.count = 1;
  if (echo_) std::fprintf(echo_, "libav %s: %s\n", LevelName(level), entry.text.data());
}

std::vector<AvLog::Kind> AvLog::Kinds() const {
  std::lock_guard lock(mutex_);
  std::vector<Kind> kinds;
  for (std::size_t i = 0; i < used_; ++i) {
    kinds.push_back({entries_[i].level, entries_[i].text.data(), entries_[i].count});
  }
  return kinds;
}

uint64_t AvLog::unkept() const {
  std::lock_guard lock(mutex_);
  return unkept_;
}

}  // namespace qv
