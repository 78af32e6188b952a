// The widget for each kind of control in the layout table: created at its
// place and size, which never change afterwards.
#pragma once

#include <QPushButton>
#include <QString>
#include <string_view>

#include "survey/layout.h"

class QWidget;

namespace tavro::qt {

// A command button that Enter presses as well as Space, as a focused button
// does on the survey's home platform, without becoming a default button.
class SurveyButton : public QPushButton {
  Q_OBJECT
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A caption as a button or check box must be given it so that it shows
// exactly as written: "&" is not a shortcut marker.
QString literal_button_text(std::wstring_view caption);

// Creates the control's widget on the parent, named after the control.
QWidget* make_control(const LayoutRow& row, QWidget* parent);

}  // namespace tavro::qt
