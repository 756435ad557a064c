#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ProjectField.h"
#include "link/DeviceStatusRecord.h"

namespace qv {

// Every key a project file holds, in file order. Writer and reader both walk
// this one list: the reader's lookup depends on asking for keys in the order
// they were written.
class ProjectKeys {
 public:
  struct Key {
    std::string_view section;
    std::string name;
    ProjectField field;
    // Brings the record's value into the range the processor accepts before it
    // is saved; empty for keys saved as they are.
    std::function<void(DeviceStatusRecord&)> limit;
  };

  static const std::vector<Key>& All();
};

}  // namespace qv
