#pragma once
// The console's one style sheet, written from the palette. The window sets it
// once; every page, control and popup below it takes its look from here.

#include <QString>

class QWidget;

namespace qv {

const QString& AppStyleSheet();
// Takes the sheet's rules again after a property they match changed on `w`
// ("selected", "stored").
void Repolish(QWidget& w);

}  // namespace qv
