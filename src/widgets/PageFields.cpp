#include "PageFields.h"

#include <QPointer>
#include <QWidget>

#include "CDropButton.h"
#include "CGdipButton.h"
#include "oRealEdit.h"
#include "oSliderEdit.h"

namespace qv {

PageFields::PageFields(CommandEncoder& encoder, const QWidget& page)
    : encoder_(encoder), page_(page) {}

template <typename T>
void PageFields::Commit(const FieldBinding<T>& binding, T value) {
  if (page_.isHidden()) return;
  binding.set(encoder_.model(), value);
  if (binding.send) {
    const std::vector<uint8_t> args =
        binding.send->args ? binding.send->args() : std::vector<uint8_t>{};
    encoder_.EncodeAndSend(static_cast<int>(binding.send->type), args);
  }
  if (binding.after) binding.after();
}

template <typename Field>
void PageFields::BindNumberField(Field& field, double minimum, double maximum, NumberFormat format,
                                 NumberBinding binding) {
  field.SetUp(binding.get(encoder_.model()), minimum, maximum, field.isEnabled(), format);
  connect(&field, &Field::committed, this,
          [this, binding](double value) { Commit(binding, value); });
  refreshers_.push_back([this, control = QPointer<Field>(&field), get = binding.get] {
    if (control) control->SetValue(get(encoder_.model()));
  });
}

void PageFields::BindNumber(oRealEdit& field, double minimum, double maximum, NumberFormat format,
                            NumberBinding binding) {
  BindNumberField(field, minimum, maximum, format, std::move(binding));
}

void PageFields::BindNumber(oSliderEdit& field, double minimum, double maximum, NumberFormat format,
                            NumberBinding binding) {
  BindNumberField(field, minimum, maximum, format, std::move(binding));
}

void PageFields::BindChoice(CDropButton& list, ChoiceBinding binding) {
  list.SelectByValue(binding.get(encoder_.model()));
  connect(&list, &CDropButton::chosen, this,
          [this, binding](int, int32_t value) { Commit(binding, value); });
  refreshers_.push_back([this, control = QPointer<CDropButton>(&list), get = binding.get] {
    if (control) control->SelectByValue(get(encoder_.model()));
  });
}

void PageFields::BindSwitch(CGdipButton& button, SwitchBinding binding) {
  button.SetState(binding.get(encoder_.model()));
  connect(&button, &CGdipButton::clicked, this, [this, binding](bool on) { Commit(binding, on); });
  refreshers_.push_back([this, control = QPointer<CGdipButton>(&button), get = binding.get] {
    if (control) control->SetState(get(encoder_.model()));
  });
}

void PageFields::Refresh() {
  for (const auto& refresh : refreshers_) refresh();
}

}  // namespace qv
