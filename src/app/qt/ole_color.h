// Colours as the survey stores them (0x00BBGGRR, or 0x800000nn for a system
// colour) turned into Qt colours, system colours taken from a palette.
#pragma once

#include <QColor>
#include <QPalette>

#include "survey/controls.h"

namespace tavro::qt {

QColor to_qcolor(OleColor color, const QPalette& palette);

}  // namespace tavro::qt
