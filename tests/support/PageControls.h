#pragma once
// A page's controls as tests of the page alone reach them: by control id,
// typed into with real key strokes, chosen from their opened list.

#include <QString>
#include <QTest>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "widgets/CDropButton.h"
#include "widgets/PageRequest.h"
#include "widgets/ZBaseDialog.h"
#include "widgets/ControlId.h"
#include "widgets/oRealEdit.h"

namespace qv::test {

template <typename W>
W& FindControl(const QWidget& page, int id) {
  for (W* w : page.findChildren<W*>()) {
    if (ControlId(*w) == id) return *w;
  }
  throw std::runtime_error("no control " + std::to_string(id));
}

// Typed over what the field holds, then Enter.
inline void TypeInto(oRealEdit& field, const QString& text) {
  field.setFocus();
  field.selectAll();
  QTest::keyClicks(&field, text);
  QTest::keyClick(&field, Qt::Key_Return);
}

// The operator picking entry `index` from the opened list.
inline void Choose(CDropButton& list, int index) {
  emit list.list().picked(index);
}

using Request = std::pair<PageRequest, int>;

// Keeps every request `page` makes of the window, in order.
inline void RecordRequests(ZBaseDialog& page, std::vector<Request>& requests) {
  QObject::connect(&page, &ZBaseDialog::pageRequest, [&requests](PageRequest code, int argument) {
    requests.emplace_back(code, argument);
  });
}

}  // namespace qv::test
