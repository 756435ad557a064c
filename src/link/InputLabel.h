#pragma once
#include <string>

namespace qv {

// One entry of the input table the input panel draws: the built-in label the
// processor's card type decides, and the name the operator gave the input.
struct InputLabel {
  int code = 0;
  bool usable = false;
  bool isFirst = false;
  std::string label;        // built-in text, blanks included
  std::string displayName;  // operator's name; empty keeps the label
};

}  // namespace qv
