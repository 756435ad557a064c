#include "NumberFormat.h"

#include <cmath>

namespace qv {

bool IsDecimal(NumberFormat format) {
  return format == NumberFormat::Fixed2 || format == NumberFormat::Fixed1;
}

QString FormatNumber(double value, NumberFormat format) {
  switch (format) {
    case NumberFormat::Int:
      return QString::asprintf("%ld", std::lround(value));
    case NumberFormat::Int2:
      return QString::asprintf("%02ld", std::lround(value));
    case NumberFormat::Fixed2:
      return QString::asprintf("%0.2f", value);
    case NumberFormat::Fixed1:
      return QString::asprintf("%.1f", value);
  }
  return {};
}

}  // namespace qv
