#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "link/DeviceStatusRecord.h"

namespace qv {

// One value a project file carries: where it sits in the device record and how
// wide it is. The record is packed, so values are copied in and out bytewise
// rather than through typed references.
class ProjectField {
 public:
  enum class Kind : uint8_t { U8, U16, I32, F32 };

  constexpr ProjectField(Kind kind, std::size_t offset) : kind_(kind), offset_(offset) {}

  // The field of type T at `offset`; T is the member's declared type, so the
  // width cannot disagree with the record.
  template <typename T>
  static constexpr ProjectField Of(std::size_t offset) {
    if constexpr (std::is_same_v<T, uint8_t>) {
      return {Kind::U8, offset};
    } else if constexpr (std::is_same_v<T, uint16_t>) {
      return {Kind::U16, offset};
    } else if constexpr (std::is_same_v<T, int32_t>) {
      return {Kind::I32, offset};
    } else {
      static_assert(std::is_same_v<T, float>, "project files carry u8, u16, i32 and float only");
      return {Kind::F32, offset};
    }
  }

  // Some wider members travel as their low byte only (the record is little-endian).
  constexpr ProjectField LowByte() const { return {Kind::U8, offset_}; }

  // Integer kinds: the value, unsigned kinds widened without sign.
  int64_t Value(const DeviceStatusRecord& record) const;
  // Integer kinds: keeps the low-order bytes of `value` that fit the field.
  void Store(DeviceStatusRecord& record, uint64_t value) const;

  // The value as a project file writes it: decimal, or six decimals for a float.
  std::string Format(const DeviceStatusRecord& record) const;
  // Sets the field from a value text the way a project file is read: leading
  // blanks and a sign allowed, conversion stops at the first character that
  // does not fit, no digits give 0. Never depends on the process locale.
  void Parse(DeviceStatusRecord& record, std::string_view text) const;

 private:
  std::size_t Width() const;

  Kind kind_;
  std::size_t offset_;
};

}  // namespace qv
