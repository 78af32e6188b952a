// Helpers for the Qt window's tests: typed access to the window's widgets,
// what they show, and an answerer for message boxes that would otherwise
// block a test.
#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include "survey_window.h"

namespace tavro::testing {

template <typename Widget>
Widget* control(const qt::SurveyWindow& window, Control control) {
  return qobject_cast<Widget*>(window.widget(control));
}

// While it lives, closes every message box that comes up, as a user
// pressing its button would, and keeps the boxes' texts and whether a survey
// window was visible at that moment.
class MessageBoxAnswerer : public QObject {
  Q_OBJECT
 public:
  MessageBoxAnswerer();

  const QStringList& texts() const { return texts_; }
  bool survey_window_was_visible() const { return survey_window_was_visible_; }

 private:
  void answer();

  QTimer timer_;
  QStringList texts_;
  bool survey_window_was_visible_ = false;
};

// The text a button or check box shows: Qt draws "&&" as "&".
QString shown_text(const QAbstractButton* button);

}  // namespace tavro::testing
