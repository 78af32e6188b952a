#include "survey_widgets.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <limits>

#include "qt_text.h"
#include "survey_pictures.h"

namespace tavro::qt {
namespace {

QWidget* make_check_box(const LayoutRow& row, QWidget* parent) {
  return new QCheckBox(literal_button_text(row.caption), parent);
}

QWidget* make_text_box(const LayoutRow& row, QWidget* parent) {
  auto* box = new QLineEdit(to_qstring(row.caption), parent);
  box->setMaxLength(std::numeric_limits<int>::max());  // Qt's default stops at 32767
  return box;
}

QWidget* make_label(const LayoutRow& row, QWidget* parent) {
  // Plain text with no buddy: the caption shows as written, "&" and "<" too,
  // on one line, and whatever does not fit is cut off at the label's edge.
  auto* label = new QLabel(to_qstring(row.caption), parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(false);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* make_button(const LayoutRow& row, QWidget* parent) {
  auto* button = new SurveyButton(literal_button_text(row.caption), parent);
  // Neither button answers Enter or Esc pressed elsewhere in the window.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QWidget* make_line(const LayoutRow& /*row*/, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Plain);
  line->setLineWidth(1);
  return line;
}

QWidget* make_picture(const LayoutRow& /*row*/, QWidget* parent) {
  // The layout has one picture, Image1: the logo compiled into the program.
  auto* picture = new QLabel(parent);
  picture->setPixmap(survey_logo());
  picture->setScaledContents(false);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return picture;
}

QWidget* make_widget(const LayoutRow& row, QWidget* parent) {
  switch (row.kind) {
    case ControlKind::kCheckBox:
      return make_check_box(row, parent);
    case ControlKind::kTextBox:
      return make_text_box(row, parent);
    case ControlKind::kLabel:
      return make_label(row, parent);
    case ControlKind::kCommandButton:
      return make_button(row, parent);
    case ControlKind::kLine:
      return make_line(row, parent);
    case ControlKind::kPicture:
      return make_picture(row, parent);
  }
  return nullptr;
}

// A row's rectangle in device-independent pixels (96 per inch). A line is
// one pixel high at its y.
QRect pixel_rect(const LayoutRow& row) {
  const int height = row.kind == ControlKind::kLine ? 1 : to_pixels(row.height);
  return {to_pixels(row.left), to_pixels(row.top), to_pixels(row.width), height};
}

bool takes_focus(ControlKind kind) {
  return kind == ControlKind::kCheckBox || kind == ControlKind::kTextBox ||
         kind == ControlKind::kCommandButton;
}

}  // namespace

void SurveyButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

QString literal_button_text(std::wstring_view caption) {
  return to_qstring(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QWidget* make_control(const LayoutRow& row, QWidget* parent) {
  QWidget* widget = make_widget(row, parent);
  widget->setObjectName(
      QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size())));
  const QRect rect = pixel_rect(row);
  widget->move(rect.topLeft());
  widget->setFixedSize(rect.size());
  widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  widget->setFocusPolicy(takes_focus(row.kind) ? Qt::StrongFocus : Qt::NoFocus);
  return widget;
}

}  // namespace tavro::qt
