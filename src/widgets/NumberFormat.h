#pragma once
// The four ways a numeric field shows its value.

#include <QString>

namespace qv {

enum class NumberFormat {
  Int,     // "%d"
  Int2,    // "%02d"
  Fixed2,  // "%0.2f"
  Fixed1,  // "%.1f"
};

// A decimal format lets the operator type a decimal point.
bool IsDecimal(NumberFormat format);

// Whole-number formats round to the nearest integer, so that a value computed
// in floating point (0.29 * 100) does not show one less.
QString FormatNumber(double value, NumberFormat format);

}  // namespace qv
