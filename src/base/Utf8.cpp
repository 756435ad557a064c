#include "base/Utf8.h"

#include <cstdint>

namespace qv::utf8 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUnit(std::string& out, uint16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// Decodes one code point at `pos`, advancing it; a malformed sequence
// (overlong, surrogate, beyond U+10FFFF, truncated) consumes one byte and
// yields U+FFFD.
char32_t DecodeOne(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + length > text.size()) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(byte)) {
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6) | (byte & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return cp;
}

}  // namespace

std::string FromUtf16Le(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  const std::size_t units = bytes.size() / 2;
  const auto unitAt = [&](std::size_t i) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                 (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  };
  for (std::size_t i = 0; i < units; ++i) {
    const uint16_t unit = unitAt(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
      const uint16_t low = unitAt(i + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) ? kReplacement : char32_t(unit));
  }
  if (bytes.size() % 2 != 0) AppendUtf8(out, kReplacement);
  return out;
}

std::string ToUtf16Le(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t cp = DecodeOne(text, pos);
    if (cp >= 0x10000) {
      AppendUnit(out, static_cast<uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      AppendUnit(out, static_cast<uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      AppendUnit(out, static_cast<uint16_t>(cp));
    }
  }
  return out;
}

std::string_view Prefix(std::string_view text, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (IsContinuation(static_cast<unsigned char>(text[pos]))) continue;
    if (chars == maxChars) return text.substr(0, pos);
    ++chars;
  }
  return text;
}

std::string_view PrefixBytes(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  // A sequence is at most four bytes, so look back at most three; further
  // continuation bytes are malformed anyway and may be cut anywhere.
  for (std::size_t end = maxBytes; end + 3 >= maxBytes && end > 0; --end) {
    if (!IsContinuation(static_cast<unsigned char>(text[end]))) return text.substr(0, end);
  }
  return text.substr(0, maxBytes);
}

}  // namespace qv::utf8
