// The keyboard in the survey window, from the shared table of keyboard
// scenarios, on a window that Form_Load has set up.
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>

#include "qt_test_support.h"
#include "support/fixed_services.h"
#include "support/keyboard_scenarios.h"
#include "support/temp_folder.h"
#include "survey/layout.h"
#include "survey/survey_form.h"
#include "survey_window.h"

namespace tavro::qt {
namespace {

using testing::control;
using testing::KeyboardScenario;
using testing::WindowState;

QString name_of(const QWidget* widget) {
  return widget != nullptr ? widget->objectName() : QStringLiteral("(nothing)");
}

QString name_of(Control c) {
  const std::string_view name = layout_of(c).name;
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

void press(testing::Key key) {
  QWidget* focus = QApplication::focusWidget();
  switch (key) {
    case testing::Key::kTab:
      return QTest::keyClick(focus, Qt::Key_Tab);
    case testing::Key::kShiftTab:
      return QTest::keyClick(focus, Qt::Key_Backtab, Qt::ShiftModifier);
    case testing::Key::kEnter:
      return QTest::keyClick(focus, Qt::Key_Return);
    case testing::Key::kEscape:
      return QTest::keyClick(focus, Qt::Key_Escape);
    case testing::Key::kSpace:
      return QTest::keyClick(focus, Qt::Key_Space);
  }
}

// A window loaded in the given state and shown, its buttons watched. No
// handler is connected: a pressed button leaves the window as it is.
class ShownSurvey {
 public:
  explicit ShownSurvey(WindowState state) {
    std::string settings;
    if (state == WindowState::kAllEnabled) {
      settings = "[Application]\r\n";
      for (int slot = 1; slot <= kApplicationSlots; ++slot)
        settings += "EnableA" + std::to_string(slot) + "=1\r\n";
      settings += "[Status]\r\n";
      for (int item = 1; item <= kStatusItems; ++item)
        settings += "EnableI" + std::to_string(item) + "=1\r\n";
      folder_.write("Tavro.ini", settings);
    }
    SurveyForm(window_, testing::fixed_services(folder_.wide("Tavro.ini"))).Form_Load();
    window_.show();
  }

  SurveyWindow& window() { return window_; }
  QSignalSpy& ok() { return ok_; }
  QSignalSpy& cancel() { return cancel_; }

 private:
  testing::TempFolder folder_;
  SurveyWindow window_;
  QSignalSpy ok_{control<QPushButton>(window_, Control::CmdOk), &QPushButton::clicked};
  QSignalSpy cancel_{control<QPushButton>(window_, Control::CmdCancel), &QPushButton::clicked};
};

}  // namespace

class SurveyWindowKeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void firstFocus_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < testing::kFirstFocus.size(); ++i)
      QTest::addRow("%s", qPrintable(name_of(testing::kFirstFocus[i].control))) << int(i);
  }

  void firstFocus() {
    QFETCH(int, index);
    const testing::FirstFocus& expected = testing::kFirstFocus.at(std::size_t(index));
    ShownSurvey survey(expected.state);
    QVERIFY(QTest::qWaitForWindowActive(&survey.window()));
    QCOMPARE(name_of(QApplication::focusWidget()), name_of(expected.control));
  }

  void scenario_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < testing::kKeyboardScenarios.size(); ++i)
      QTest::newRow(testing::kKeyboardScenarios[i].name) << int(i);
  }

  void scenario() {
    QFETCH(int, index);
    const KeyboardScenario& s = testing::kKeyboardScenarios.at(std::size_t(index));
    ShownSurvey survey(s.state);
    SurveyWindow& window = survey.window();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.widget(s.start)->setFocus(Qt::OtherFocusReason);
    QCOMPARE(name_of(QApplication::focusWidget()), name_of(s.start));

    press(s.key);

    QCOMPARE(survey.ok().count(), s.outcome == testing::Outcome::kOkPressed ? 1 : 0);
    QCOMPARE(survey.cancel().count(), s.outcome == testing::Outcome::kCancelPressed ? 1 : 0);
    for (int slot = 1; slot <= kApplicationSlots; ++slot) {
      const bool ticked = s.outcome == testing::Outcome::kBoxTicked && check_box(slot) == s.start;
      QCOMPARE(window.value(check_box(slot)) == CheckValue::kTicked, ticked);
    }
    QCOMPARE(name_of(QApplication::focusWidget()), name_of(s.focus_after));
    QVERIFY(window.isVisible());
  }
};

}  // namespace tavro::qt

QTEST_MAIN(tavro::qt::SurveyWindowKeyboardTest)
#include "survey_window_keyboard_test.moc"
