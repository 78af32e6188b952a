#include "qt_test_support.h"

#include <QApplication>
#include <QMessageBox>
#include <algorithm>

namespace tavro::testing {

MessageBoxAnswerer::MessageBoxAnswerer() {
  connect(&timer_, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
  timer_.start(10);
}

void MessageBoxAnswerer::answer() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  texts_ << box->text();
  survey_window_was_visible_ = survey_window_was_visible_ || a_survey_window_is_visible();
  box->done(QMessageBox::Ok);
}

bool a_survey_window_is_visible() {
  return std::ranges::any_of(QApplication::topLevelWidgets(), [](QWidget* window) {
    return qobject_cast<QtSurveyWindow*>(window) != nullptr && window->isVisible();
  });
}

}  // namespace tavro::testing
