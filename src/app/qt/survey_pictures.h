// The pictures compiled into the survey program: the window icon and the
// Image1 logo.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tavro::qt {

// Every size the icon resource holds.
QIcon survey_window_icon();

QPixmap survey_logo();

}  // namespace tavro::qt
