#pragma once
// The fields of a page bound to the model: Refresh() shows the model in every
// bound control without notifying, and a commit from a control writes the
// model and sends its command. Commits arriving while the page is hidden (a
// field losing focus as its page closes) are ignored, as pages require.
// Add() makes a field from its table row; the Bind functions tie a control
// the page made itself.

#include <QObject>
#include <functional>
#include <vector>

#include "FieldBinding.h"
#include "FieldRow.h"
#include "NumberFormat.h"
#include "link/CommandEncoder.h"
#include "link/ReplyKind.h"

class QWidget;

namespace qv {

class CDropButton;
class CGdipButton;
class LanguageTexts;
class oRealEdit;
class oSliderEdit;

class PageFields : public QObject {
 public:
  // `page` is the page owning the controls; it outlives this object.
  PageFields(CommandEncoder& encoder, const QWidget& page);
  // `texts` gives drop lists their entries; it outlives this object.
  PageFields(CommandEncoder& encoder, const LanguageTexts& texts, const QWidget& page);

  // Makes the row's control and label on `parent`, set up from the model,
  // and binds it. Returns the control (an oRealEdit, oSliderEdit,
  // CDropButton or CGdipButton as the row's kind says).
  QWidget* Add(QWidget& parent, const FieldRow& row);
  template <typename Control>
  Control& Add(QWidget& parent, const FieldRow& row) {
    return static_cast<Control&>(*Add(parent, row));
  }

  // Sets the control up with the range and format and the model's value.
  void BindNumber(oRealEdit& field, double minimum, double maximum, NumberFormat format,
                  NumberBinding binding);
  void BindNumber(oSliderEdit& field, double minimum, double maximum, NumberFormat format,
                  NumberBinding binding);
  // The page fills the list's entries; the binding selects by value.
  void BindChoice(CDropButton& list, ChoiceBinding binding);
  void BindSwitch(CGdipButton& button, SwitchBinding binding);

  // The page was closed by the window or its close button; a page not shown
  // yet because its window is not counts as open. Its fields commit nothing.
  static bool Closed(const QWidget& page);

  // Every bound control shows the model again. A number field the operator
  // is typing into keeps what was typed.
  void Refresh();
  void OnReply(ReplyKind) { Refresh(); }
  // Drop lists made from rows take their entries anew: after a language
  // switch, or when the texts they are made from changed.
  void RefillEntries();

 private:
  template <typename Field>
  void BindNumberField(Field& field, double minimum, double maximum, NumberFormat format,
                       NumberBinding binding);
  template <typename T>
  void Commit(const FieldBinding<T>& binding, T value);

  CommandEncoder& encoder_;
  const LanguageTexts* texts_ = nullptr;
  const QWidget& page_;
  std::vector<std::function<void()>> refreshers_;
  std::vector<std::function<void()>> refillers_;
};

}  // namespace qv
