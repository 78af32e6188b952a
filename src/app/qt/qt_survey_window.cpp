#include "qt_survey_window.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QIcon>
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
#include "survey_widgets.h"

namespace tavro {

namespace {
constexpr qreal kLayoutFontPoints = 8;
}  // namespace

// A title bar with a close box and nothing else; the window manager places the window.
QtSurveyWindow::QtSurveyWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(to_qstring(kWindowTitle));
  setWindowIcon(QIcon(QStringLiteral(":/tavro.ico")));
  setFixedSize(to_pixels(kClientWidthTwips), to_pixels(kClientHeightTwips));
  // The platform's font family at the size the fixed layout was drawn for:
  // desktop defaults of 10 points and more would clip "Hostname" and overfill
  // the 17-pixel rows.
  QFont small_font = font();
  small_font.setPointSizeF(kLayoutFontPoints);
  setFont(small_font);
  for (const LayoutRow& row : kSurveyLayout) {
    widgets_[static_cast<std::size_t>(row.id)] = make_control(row, this);
  }
  chain_tab_order();
}

// Not const, though the widgets are reached through pointers: the children
// are the window's own, and their tab order is part of it.
void QtSurveyWindow::chain_tab_order() {  // NOLINT(readability-make-member-function-const)
  QWidget* previous = nullptr;
  for (const Control control : controls_in_tab_order()) {
    QWidget* next = widget(control);
    if (next->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) setTabOrder(previous, next);
    previous = next;
  }
}

void QtSurveyWindow::connect_handlers(SurveyForm& form) {
  connect(widget_as<QPushButton>(Control::CmdOk), &QPushButton::clicked, this,
          [&form] { form.CmdOk_Click(); });
  connect(widget_as<QPushButton>(Control::CmdCancel), &QPushButton::clicked, this,
          [&form] { form.CmdCancel_Click(); });
  close_box_handler_ = [&form] { form.CmdCancel_Click(); };
}

QWidget* QtSurveyWindow::widget(Control control) const {
  return widgets_.at(static_cast<std::size_t>(control));
}

template <typename Widget>
Widget* QtSurveyWindow::widget_as(Control control) const {
  auto* typed = qobject_cast<Widget*>(widget(control));
  if (!typed) {
    throw std::logic_error(std::string(layout_of(control).name) + " is not a " +
                           Widget::staticMetaObject.className());
  }
  return typed;
}

void QtSurveyWindow::set_caption(Control control, std::wstring_view caption) {
  if (auto* label = qobject_cast<QLabel*>(widget(control))) {
    label->setText(to_qstring(caption));
  } else {
    widget_as<QAbstractButton>(control)->setText(literal_button_text(caption));
  }
}

void QtSurveyWindow::set_enabled(Control control, bool enabled) {
  widget(control)->setEnabled(enabled);
}

void QtSurveyWindow::set_value(Control control, CheckValue value) {
  widget_as<QCheckBox>(control)->setChecked(value == CheckValue::kTicked);
}

CheckValue QtSurveyWindow::value(Control control) const {
  return widget_as<QCheckBox>(control)->isChecked() ? CheckValue::kTicked : CheckValue::kUnticked;
}

void QtSurveyWindow::set_text(Control control, std::wstring_view text) {
  widget_as<QLineEdit>(control)->setText(to_qstring(text));
}

std::wstring QtSurveyWindow::text(Control control) const {
  return widget_as<QLineEdit>(control)->text().toStdWString();
}

void QtSurveyWindow::set_back_color(Control control, OleColor color) {
  auto* box = widget_as<QLineEdit>(control);
  QPalette palette = box->palette();
  // Every colour group, so a disabled box shows it too.
  palette.setColor(QPalette::Base, to_qcolor(color, palette));
  box->setPalette(palette);
}

void QtSurveyWindow::close() {
  closing_for_handler_ = true;
  // Within the close box's event the event itself closes the window.
  if (!in_close_box_) QWidget::close();
}

void QtSurveyWindow::show_message(std::wstring_view message) {
  QMessageBox box(QMessageBox::Warning, windowTitle(), to_qstring(message), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void QtSurveyWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_before_) return;
  shown_before_ = true;
  focus_first_control();
}

// Not const: it moves the focus into the window (see chain_tab_order).
void QtSurveyWindow::focus_first_control() {  // NOLINT(readability-make-member-function-const)
  for (const Control control : controls_in_tab_order()) {
    QWidget* candidate = widget(control);
    if ((candidate->focusPolicy() & Qt::TabFocus) != 0 && candidate->isEnabled()) {
      candidate->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void QtSurveyWindow::closeEvent(QCloseEvent* event) {
  if (closing_for_handler_ || !close_box_handler_) {
    event->accept();
    return;
  }
  // The close box: the Cancel handler decides, and nothing is written.
  in_close_box_ = true;
  close_box_handler_();
  in_close_box_ = false;
  if (closing_for_handler_) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace tavro
