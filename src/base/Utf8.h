#pragma once
// Conversions between the UTF-8 text kept in memory and the UTF-16LE some
// settings files are stored in, plus character-bounded prefixes. Malformed
// input never fails: it turns into U+FFFD so that a damaged file still loads.

#include <cstddef>
#include <string>
#include <string_view>

namespace qv::utf8 {

// UTF-16LE bytes (without BOM) to UTF-8. Unpaired surrogates and a dangling
// odd byte become U+FFFD.
std::string FromUtf16Le(std::string_view bytes);

// UTF-8 to UTF-16LE bytes (without BOM). Each byte of a malformed sequence
// becomes U+FFFD.
std::string ToUtf16Le(std::string_view text);

// The longest prefix of at most `maxChars` code points; a multibyte sequence
// is never split.
std::string_view Prefix(std::string_view text, std::size_t maxChars);

// The longest prefix of at most `maxBytes` bytes that does not split a
// multibyte sequence.
std::string_view PrefixBytes(std::string_view text, std::size_t maxBytes);

}  // namespace qv::utf8
