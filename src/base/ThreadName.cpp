#include "base/ThreadName.h"

#include <pthread.h>

#include <cstring>

#include "base/Utf8.h"

namespace qv {

void SetCurrentThreadName(std::string_view name) {
  // pthread_setname_np refuses a longer name outright instead of cutting it.
  const std::string_view kept = utf8::PrefixBytes(name, kMaxThreadNameBytes);
  char buffer[kMaxThreadNameBytes + 1] = {};
  std::memcpy(buffer, kept.data(), kept.size());
  pthread_setname_np(pthread_self(), buffer);
}

}  // namespace qv
