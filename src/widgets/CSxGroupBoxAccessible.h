#pragma once
// A group frame for assistive tools: a grouping named by its caption.

#include <QAccessibleWidget>

namespace qv {

class CSxGroupBox;

class CSxGroupBoxAccessible : public QAccessibleWidget {
 public:
  explicit CSxGroupBoxAccessible(CSxGroupBox* box);

  QString text(QAccessible::Text t) const override;
};

}  // namespace qv
