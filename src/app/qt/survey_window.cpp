#include "survey_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>
#include <string>

#include "ole_color.h"
#include "qt_text.h"
#include "survey/layout.h"
#include "survey/survey_form.h"
#include "survey_pictures.h"
#include "survey_widgets.h"

namespace tavro::qt {

QFont layout_font() {
  constexpr qreal kLayoutFontPoints = 8;
  QFont font = QApplication::font();
  font.setPointSizeF(kLayoutFontPoints);
  return font;
}

// A title bar with a close box and nothing else; the window manager places the window.
SurveyWindow::SurveyWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(to_qstring(kWindowTitle));
  setWindowIcon(survey_window_icon());
  setFixedSize(to_pixels(kClientWidthTwips), to_pixels(kClientHeightTwips));
  setFont(layout_font());
  for (const LayoutRow& row : kSurveyLayout) {
    widgets_[static_cast<std::size_t>(row.id)] = make_control(row, this);
  }
  chain_tab_order();
}

// Not const, though the widgets are reached through pointers: the children
// are the window's own, and their tab order is part of it.
void SurveyWindow::chain_tab_order() {  // NOLINT(readability-make-member-function-const)
  QWidget* previous = nullptr;
  for (const Control control : controls_in_tab_order()) {
    QWidget* next = widget(control);
    if (next->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  }
}

void SurveyWindow::connect_events(SurveyForm& form) {
  connect(widget_as<QPushButton>(Control::CmdOk), &QPushButton::clicked, this,
          [&form] { form.CmdOk_Click(); });
  connect(widget_as<QPushButton>(Control::CmdCancel), &QPushButton::clicked, this,
          [&form] { form.CmdCancel_Click(); });
}

QWidget* SurveyWindow::widget(Control control) const {
  return widgets_.at(static_cast<std::size_t>(control));
}

template <typename Widget>
Widget* SurveyWindow::widget_as(Control control) const {
  auto* typed = qobject_cast<Widget*>(widget(control));
  if (!typed) {
    throw std::logic_error(std::string(layout_of(control).name) + " is not a " +
                           Widget::staticMetaObject.className());
  }
  return typed;
}

void SurveyWindow::set_caption(Control control, std::wstring_view caption) {
  if (auto* label = qobject_cast<QLabel*>(widget(control))) {
    label->setText(to_qstring(caption));
  } else {
    widget_as<QAbstractButton>(control)->setText(literal_button_text(caption));
  }
}

void SurveyWindow::set_enabled(Control control, bool enabled) {
  widget(control)->setEnabled(enabled);
}

void SurveyWindow::set_value(Control control, CheckValue value) {
  widget_as<QCheckBox>(control)->setChecked(value == CheckValue::kTicked);
}

CheckValue SurveyWindow::value(Control control) const {
  return widget_as<QCheckBox>(control)->isChecked() ? CheckValue::kTicked : CheckValue::kUnticked;
}

void SurveyWindow::set_text(Control control, std::wstring_view text) {
  widget_as<QLineEdit>(control)->setText(to_qstring(text));
}

std::wstring SurveyWindow::text(Control control) const {
  return widget_as<QLineEdit>(control)->text().toStdWString();
}

void SurveyWindow::set_back_color(Control control, OleColor color) {
  auto* box = widget_as<QLineEdit>(control);
  QPalette palette = box->palette();
  // Every colour group, so a disabled box shows it too.
  palette.setColor(QPalette::Base, to_qcolor(color, palette));
  box->setPalette(palette);
}

void SurveyWindow::close() {
  QWidget::close();
}

void SurveyWindow::show_message(std::wstring_view message) {
  QMessageBox box(QMessageBox::Warning, windowTitle(), to_qstring(message), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void SurveyWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_before_) return;
  shown_before_ = true;
  focus_first_control();
}

// Not const: it moves the focus into the window (see chain_tab_order).
void SurveyWindow::focus_first_control() {  // NOLINT(readability-make-member-function-const)
  for (const Control control : controls_in_tab_order()) {
    QWidget* candidate = widget(control);
    if ((candidate->focusPolicy() & Qt::TabFocus) != 0 && candidate->isEnabled()) {
      candidate->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

// The window system's close request (the close box, Alt+F4) is a press of
// Cancel, made once this event is over: Cancel's handler then closes the
// window through close(), whose own close event is not spontaneous.
void SurveyWindow::closeEvent(QCloseEvent* event) {
  if (!event->spontaneous()) {
    event->accept();
    return;
  }
  event->ignore();
  QMetaObject::invokeMethod(widget_as<QPushButton>(Control::CmdCancel), &QPushButton::click,
                            Qt::QueuedConnection);
}

}  // namespace tavro::qt
