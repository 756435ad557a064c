#pragma once
// Names the calling thread, so that top -H, gdb and sanitizer reports tell
// the console's threads apart.

#include <cstddef>
#include <string_view>

namespace qv {

// The kernel keeps at most 15 bytes of a thread's name: a longer name is cut
// there, never inside a multibyte character.
inline constexpr std::size_t kMaxThreadNameBytes = 15;

void SetCurrentThreadName(std::string_view name);

}  // namespace qv
