#include "AccessibleFactory.h"

#include <QAccessible>

#include "CDropButton.h"
#include "CDropButtonAccessible.h"
#include "CDropList.h"
#include "CDropListAccessible.h"
#include "CGdipButton.h"
#include "CGdipButtonAccessible.h"
#include "CSxGroupBox.h"
#include "CSxGroupBoxAccessible.h"
#include "oBitmapSlider.h"
#include "oBitmapSliderAccessible.h"
#include "oRealEdit.h"
#include "oRealEditAccessible.h"

namespace qv {

namespace {

// Qt asks with the name of each class from the object's own up to QObject,
// so a subclass of a control gets the control's interface.
QAccessibleInterface* Create(const QString& className, QObject* object) {
  const auto is = [&](const QMetaObject& meta) { return className == meta.className(); };
  if (is(CDropButton::staticMetaObject)) {
    return new CDropButtonAccessible(static_cast<CDropButton*>(object));
  }
  if (is(CDropList::staticMetaObject)) {
    return new CDropListAccessible(static_cast<CDropList*>(object));
  }
  if (is(CGdipButton::staticMetaObject)) {
    return new CGdipButtonAccessible(static_cast<CGdipButton*>(object));
  }
  if (is(CSxGroupBox::staticMetaObject)) {
    return new CSxGroupBoxAccessible(static_cast<CSxGroupBox*>(object));
  }
  if (is(oBitmapSlider::staticMetaObject)) {
    return new oBitmapSliderAccessible(static_cast<oBitmapSlider*>(object));
  }
  if (is(oRealEdit::staticMetaObject)) {
    return new oRealEditAccessible(static_cast<oRealEdit*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleFactory() {
  static const bool installed = (QAccessible::installFactory(&Create), true);
  Q_UNUSED(installed);
}

}  // namespace qv
