#pragma once
// One field of a page as a row of its table: which control it is, where it
// and its label go, its range and format or its entries, where its value
// lives in the model, what a commit sends and what the page does after.
// PageFields makes the control from the row, binds it and keeps it showing
// the model. A page declares its fields as rows and writes code only where
// its rule is more than "write the field, send the command".

#include <QRect>
#include <functional>
#include <optional>
#include <vector>

#include "CDropList.h"
#include "FieldCommand.h"
#include "NumberFormat.h"
#include "link/DeviceModel.h"

namespace qv {

class LanguageTexts;

enum class FieldKind {
  Number,  // oRealEdit
  Slider,  // oSliderEdit
  Choice,  // CDropButton, by entry value
  Switch,  // CGdipButton, 0 or 1
};

// The text beside a control (a switch's own caption). Its control id re-texts
// it from the language file ("IDS_<id>"); assistive technology names the
// control after it.
struct FieldLabel {
  int id = 0;
  const char* text = nullptr;  // built-in; no label when null
  QRect place;
};

struct FieldRow {
  FieldKind kind = FieldKind::Number;
  int id = 0;  // the control's id
  QRect place;
  FieldLabel label;
  // Numbers and sliders.
  double minimum = 0;
  double maximum = 0;
  NumberFormat format = NumberFormat::Int;
  // Drop lists: the entries in the current language, asked again after every
  // language switch and whenever the page says its entries changed.
  std::function<std::vector<CDropList::Entry>(const LanguageTexts&)> entries;
  // The value in the model: a number, an entry's value, 0 or 1.
  std::function<double(const DeviceModel&)> get;
  std::function<void(DeviceModel&, double)> set;
  // Nothing is sent when absent: the value travels with a later command.
  std::optional<FieldCommand> send;
  // Page work after the send.
  std::function<void()> after;
};

}  // namespace qv
