#include "CommandLength.h"

namespace qv::comm {

std::size_t CommandLength(int type) {
  switch (type) {
    case 36:
    case 48:
    case 49:
    case 50:
    case 51:
    case 52:
    case 54:
    case 55:
    case 56:
    case 59:
    case 66:
    case 69:
    case 70:
    case 12:
    case 15:
    case 16:
    case 18:
    case 20:
      return 1;
    case 1:
    case 21:
    case 33:
    case 34:
    case 37:
      return 2;
    case 7:
    case 8:
      return 3;
    case 13:
      return 5;
    case 25:
      return 9;
    case 23:
    case 24:
    case 35:
      return 10;
    case 4:
    case 5:
    case 17:
      return 11;
    case 10:
      return 12;
    case 9:
      return 15;
    case 3:
      return 16;
    case 32:
      return 18;
    case 2:
    case 14:
      return 22;
    case 6:
      return 30;
    case 11:
    case 71:
    case 72:
      return 32;
    default:
      return 0;
  }
}

}  // namespace qv::comm
