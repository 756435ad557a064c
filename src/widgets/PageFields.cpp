#include "PageFields.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <cmath>

#include "CDropButton.h"
#include "CGdipButton.h"
#include "ControlId.h"
#include "oRealEdit.h"
#include "oSliderEdit.h"

namespace qv {

PageFields::PageFields(CommandEncoder& encoder, const QWidget& page)
    : encoder_(encoder), page_(page) {}

PageFields::PageFields(CommandEncoder& encoder, const LanguageTexts& texts, const QWidget& page)
    : encoder_(encoder), texts_(&texts), page_(page) {}

QWidget* PageFields::Add(QWidget& parent, const FieldRow& row) {
  // A switch carries its caption itself.
  QLabel* label = row.label.text && row.kind != FieldKind::Switch
                      ? MakeLabel(&parent, row.label.id, row.label.text, row.label.place)
                      : nullptr;
  const auto binding = [&row](auto convert) {
    using T = decltype(convert(0.0));
    return FieldBinding<T>{
        .get = [get = row.get, convert](const DeviceModel& m) { return convert(get(m)); },
        .set = [set = row.set](DeviceModel& m, T v) { set(m, static_cast<double>(v)); },
        .send = row.send,
        .after = row.after};
  };
  const auto asNumber = [](double v) { return v; };
  const auto asChoice = [](double v) { return static_cast<int32_t>(std::lround(v)); };
  const auto asSwitch = [](double v) { return v != 0; };
  QWidget* control = nullptr;
  switch (row.kind) {
    case FieldKind::Number: {
      auto* field = MakeControl<oRealEdit>(&parent, row.id, row.place);
      BindNumber(*field, row.minimum, row.maximum, row.format, binding(asNumber));
      control = field;
      break;
    }
    case FieldKind::Slider: {
      auto* field = MakeControl<oSliderEdit>(&parent, row.id, row.place);
      BindNumber(*field, row.minimum, row.maximum, row.format, binding(asNumber));
      control = field;
      break;
    }
    case FieldKind::Choice: {
      auto* list = MakeControl<CDropButton>(&parent, row.id, row.place);
      if (row.entries && texts_) {
        const auto refill = [this, control = QPointer<CDropButton>(list), entries = row.entries,
                             get = row.get] {
          if (!control) return;
          control->Clear();
          for (const CDropList::Entry& e : entries(*texts_)) {
            control->AddEntry(e.text, e.value, e.greyed);
          }
          control->SelectByValue(static_cast<int32_t>(std::lround(get(encoder_.model()))));
        };
        refill();
        refillers_.push_back(refill);
      }
      BindChoice(*list, binding(asChoice));
      control = list;
      break;
    }
    case FieldKind::Switch: {
      auto* button =
          new CGdipButton(QString::fromUtf8(row.label.text ? row.label.text : ""), &parent);
      SetControlId(*button, row.id);
      button->setGeometry(row.place);
      BindSwitch(*button, binding(asSwitch));
      control = button;
      break;
    }
  }
  if (label) label->setBuddy(control);
  return control;
}

bool PageFields::Closed(const QWidget& page) {
  return page.isHidden() && page.testAttribute(Qt::WA_WState_ExplicitShowHide);
}

template <typename T>
void PageFields::Commit(const FieldBinding<T>& binding, T value) {
  if (Closed(page_)) return;
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
    if (control && !control->beingTyped()) control->SetValue(get(encoder_.model()));
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

void PageFields::RefillEntries() {
  for (const auto& refill : refillers_) refill();
}

}  // namespace qv
