#include "qt_test_support.h"

#include <QApplication>
#include <QMessageBox>

namespace tavro::testing {
namespace {

// The survey window that is visible now, if any.
qt::SurveyWindow* visible_survey_window() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<qt::SurveyWindow*>(top);
    if (window != nullptr && window->isVisible()) return window;
  }
  return nullptr;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer() {
  connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
  timer_.start(10);
}

void MessageBoxAnswerer::answer() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  texts_ << box->text();
  survey_window_was_visible_ = survey_window_was_visible_ || visible_survey_window() != nullptr;
  box->done(QMessageBox::Ok);
}

QString shown_text(const QAbstractButton* button) {
  return button->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
}

}  // namespace tavro::testing
