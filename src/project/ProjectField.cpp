#include "ProjectField.h"

#include <locale.h>

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

const uint8_t* BytesOf(const DeviceStatusRecord& record) {
  return reinterpret_cast<const uint8_t*>(&record);
}
uint8_t* BytesOf(DeviceStatusRecord& record) {
  return reinterpret_cast<uint8_t*>(&record);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Decimal text to an integer as atoi reads it. Digits beyond 64 bits wrap
// instead of overflowing; the caller keeps only the field's low bytes anyway.
uint64_t ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
  }
  return negative ? 0 - value : value;
}

// The console runs with the user's locale (a decimal comma in many of them),
// while project files always use a point.
float ParseFraction(std::string_view text) {
  static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", locale_t{});
  const std::string terminated(text);
  const locale_t previous = ::uselocale(cLocale);
  const float value = std::strtof(terminated.c_str(), nullptr);
  ::uselocale(previous);
  return value;
}

}  // namespace

std::size_t ProjectField::Width() const {
  switch (kind_) {
    case Kind::U8:
      return 1;
    case Kind::U16:
      return 2;
    case Kind::I32:
    case Kind::F32:
      return 4;
  }
  return 0;
}

int64_t ProjectField::Value(const DeviceStatusRecord& record) const {
  const uint8_t* at = BytesOf(record) + offset_;
  switch (kind_) {
    case Kind::U8:
      return at[0];
    case Kind::U16: {
      uint16_t v;
      std::memcpy(&v, at, sizeof v);
      return v;
    }
    case Kind::I32: {
      int32_t v;
      std::memcpy(&v, at, sizeof v);
      return v;
    }
    case Kind::F32:
      break;
  }
  return 0;
}

void ProjectField::Store(DeviceStatusRecord& record, uint64_t value) const {
  if (kind_ == Kind::F32) return;
  uint8_t* at = BytesOf(record) + offset_;
  for (std::size_t i = 0; i < Width(); ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

std::string ProjectField::Format(const DeviceStatusRecord& record) const {
  char text[64];
  std::to_chars_result result;
  if (kind_ == Kind::F32) {
    float v;
    std::memcpy(&v, BytesOf(record) + offset_, sizeof v);
    // Same text as printf("%f") in the C locale.
    result = std::to_chars(text, text + sizeof text, static_cast<double>(v),
                           std::chars_format::fixed, 6);
  } else {
    result = std::to_chars(text, text + sizeof text, Value(record));
  }
  return std::string(text, result.ptr);
}

void ProjectField::Parse(DeviceStatusRecord& record, std::string_view text) const {
  if (kind_ == Kind::F32) {
    const float v = ParseFraction(text);
    std::memcpy(BytesOf(record) + offset_, &v, sizeof v);
  } else {
    Store(record, ParseDecimal(text));
  }
}

}  // namespace qv
