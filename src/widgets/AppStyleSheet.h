#pragma once
// The console's one style sheet, written from the palette. The window sets it
// once; every page, control and popup below it takes its look from here.

#include <QString>

namespace qv {

const QString& AppStyleSheet();

}  // namespace qv
