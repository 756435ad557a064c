#pragma once
// The fields of a page bound to the model: Refresh() shows the model in every
// bound control without notifying, and a commit from a control writes the
// model and sends its command. Commits arriving while the page is hidden (a
// field losing focus as its page closes) are ignored, as pages require.

#include <QObject>
#include <functional>
#include <vector>

#include "FieldBinding.h"
#include "NumberFormat.h"
#include "link/CommandEncoder.h"

class QWidget;

namespace qv {

class CDropButton;
class CGdipButton;
class oRealEdit;
class oSliderEdit;

class PageFields : public QObject {
 public:
  // `page` is the page owning the controls; it outlives this object.
  PageFields(CommandEncoder& encoder, const QWidget& page);

  // Sets the control up with the range and format and the model's value.
  void BindNumber(oRealEdit& field, double minimum, double maximum, NumberFormat format,
                  NumberBinding binding);
  void BindNumber(oSliderEdit& field, double minimum, double maximum, NumberFormat format,
                  NumberBinding binding);
  // The page fills the list's entries; the binding selects by value.
  void BindChoice(CDropButton& list, ChoiceBinding binding);
  void BindSwitch(CGdipButton& button, SwitchBinding binding);

  void Refresh();

 private:
  template <typename Field>
  void BindNumberField(Field& field, double minimum, double maximum, NumberFormat format,
                       NumberBinding binding);
  template <typename T>
  void Commit(const FieldBinding<T>& binding, T value);

  CommandEncoder& encoder_;
  const QWidget& page_;
  std::vector<std::function<void()>> refreshers_;
};

}  // namespace qv
