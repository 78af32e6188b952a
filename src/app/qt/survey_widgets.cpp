#include "survey_widgets.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <limits>

#include "qt_text.h"

namespace tavro {
namespace {

QWidget* make_check_box(const ControlSpec& spec, QWidget* parent) {
  return new QCheckBox(literal_button_text(spec.caption), parent);
}

QWidget* make_text_box(const ControlSpec& spec, QWidget* parent) {
  auto* box = new QLineEdit(to_qstring(spec.caption), parent);
  box->setMaxLength(std::numeric_limits<int>::max());  // Qt's default stops at 32767
  return box;
}

QWidget* make_label(const ControlSpec& spec, QWidget* parent) {
  // Plain text with no buddy: the caption shows as written, "&" and "<" too,
  // on one line, and whatever does not fit is cut off at the label's edge.
  auto* label = new QLabel(to_qstring(spec.caption), parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(false);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* make_button(const ControlSpec& spec, QWidget* parent) {
  auto* button = new SurveyButton(literal_button_text(spec.caption), parent);
  // Neither button answers Enter or Esc pressed elsewhere in the window.
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QWidget* make_line(const ControlSpec& /*spec*/, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Plain);
  line->setLineWidth(1);
  return line;
}

QWidget* make_picture(const ControlSpec& /*spec*/, QWidget* parent) {
  // The layout has one picture, Image1: the logo compiled into the program.
  auto* picture = new QLabel(parent);
  picture->setPixmap(QPixmap(QStringLiteral(":/image1.bmp")));
  picture->setScaledContents(false);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return picture;
}

QWidget* make_widget(const ControlSpec& spec, QWidget* parent) {
  switch (spec.kind) {
    case ControlKind::kCheckBox:
      return make_check_box(spec, parent);
    case ControlKind::kTextBox:
      return make_text_box(spec, parent);
    case ControlKind::kLabel:
      return make_label(spec, parent);
    case ControlKind::kCommandButton:
      return make_button(spec, parent);
    case ControlKind::kLine:
      return make_line(spec, parent);
    case ControlKind::kPicture:
      return make_picture(spec, parent);
  }
  return nullptr;
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

QRect pixel_rect(const ControlSpec& spec) {
  const int height = spec.kind == ControlKind::kLine ? 1 : to_pixels(spec.height);
  return {to_pixels(spec.left), to_pixels(spec.top), to_pixels(spec.width), height};
}

QString literal_button_text(std::wstring_view caption) {
  return to_qstring(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QWidget* make_control(const ControlSpec& spec, QWidget* parent) {
  QWidget* widget = make_widget(spec, parent);
  widget->setObjectName(
      QString::fromUtf8(spec.name.data(), static_cast<qsizetype>(spec.name.size())));
  const QRect rect = pixel_rect(spec);
  widget->move(rect.topLeft());
  widget->setFixedSize(rect.size());
  widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  widget->setFocusPolicy(takes_focus(spec.kind) ? Qt::StrongFocus : Qt::NoFocus);
  return widget;
}

}  // namespace tavro
