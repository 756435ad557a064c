#pragma once
// The questions and notices the console puts to the operator in a message
// box. The window fills them; tests replace them to answer without a person.

#include <QString>
#include <functional>

namespace qv {

struct Prompts {
  std::function<void(const QString& text)> inform;
  // True when the operator chose OK.
  std::function<bool(const QString& text)> confirm;
};

}  // namespace qv
