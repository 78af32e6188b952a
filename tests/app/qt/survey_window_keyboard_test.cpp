// The keyboard in the survey window: the tab walk in table order, Enter and
// Esc that press no button, Space and Enter on a focused button.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "qt_survey_window.h"
#include "qt_test_support.h"
#include "survey/layout.h"

Q_DECLARE_METATYPE(std::vector<tavro::Control>)

namespace tavro {
namespace {

using testing::control;

std::vector<Control> checks_and_texts() {
  std::vector<Control> controls;
  for (int slot = 1; slot <= kApplicationSlots; ++slot)
    controls.push_back(check_box(slot));
  for (int item = 1; item <= kStatusItems; ++item)
    controls.push_back(status_text(item));
  return controls;
}

std::vector<Control> operator+(std::vector<Control> a, const std::vector<Control>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<Control> kMachineFacts = {Control::TxtHN, Control::TxtIP, Control::TxtMEM};
const std::vector<Control> kButtons = {Control::CmdOk, Control::CmdCancel};

QString name_of(QWidget* widget) {
  return widget != nullptr ? widget->objectName() : QStringLiteral("(nothing)");
}

}  // namespace

class SurveyWindowKeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void tabWalksTheEnabledControlsInTableOrderAndWraps_data() {
    QTest::addColumn<std::vector<Control>>("disabled");
    QTest::addColumn<std::vector<Control>>("walk");
    QTest::newRow("everything enabled")
        << std::vector<Control>{} << checks_and_texts() + kMachineFacts + kButtons;
    QTest::newRow("after a load: machine facts disabled")
        << kMachineFacts << checks_and_texts() + kButtons;
    QTest::newRow("some boxes disabled")
        << kMachineFacts + std::vector<Control>{Control::Check1, Control::Check7, Control::Text3}
        << std::vector<Control>{Control::Check2, Control::Check3, Control::Check4, Control::Check5,
                                Control::Check6, Control::Check8, Control::Check9, Control::Check10,
                                Control::Text1,  Control::Text2,  Control::Text4,  Control::Text5} +
               kButtons;
    QTest::newRow("every check box and status box disabled")
        << checks_and_texts() + kMachineFacts << kButtons;
  }

  void tabWalksTheEnabledControlsInTableOrderAndWraps() {
    QFETCH(std::vector<Control>, disabled);
    QFETCH(std::vector<Control>, walk);
    QtSurveyWindow window;
    for (const Control c : disabled)
      window.set_enabled(c, false);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // The focus starts on the first of the walk; twice round, Tab visits it in order.
    for (std::size_t step = 0; step <= 2 * walk.size(); ++step) {
      QWidget* expected = window.widget(walk[step % walk.size()]);
      QVERIFY2(QApplication::focusWidget() == expected,
               qPrintable(QStringLiteral("step %1: focus on %2, expected %3")
                              .arg(step)
                              .arg(name_of(QApplication::focusWidget()), name_of(expected))));
      if (step < 2 * walk.size()) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // Shift+Tab from the first goes back round to the last.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(name_of(QApplication::focusWidget()), name_of(window.widget(walk.back())));
  }

  void enterAndEscInACheckBoxOrTextBoxPressNoButton() {
    QtSurveyWindow window;
    QSignalSpy ok(control<QPushButton>(window, Control::CmdOk), &QPushButton::clicked);
    QSignalSpy cancel(control<QPushButton>(window, Control::CmdCancel), &QPushButton::clicked);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const Control c : {Control::Check1, Control::Text1}) {
      window.widget(c)->setFocus();
      for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(window.widget(c), key);
      }
    }
    QCOMPARE(ok.count(), 0);
    QCOMPARE(cancel.count(), 0);
    QVERIFY(window.isVisible());
    QVERIFY(!control<QCheckBox>(window, Control::Check1)->isChecked());
    QVERIFY(control<QLineEdit>(window, Control::Text1)->text().isEmpty());
  }

  void spaceAndEnterPressTheFocusedButton() {
    QtSurveyWindow window;
    QSignalSpy ok(control<QPushButton>(window, Control::CmdOk), &QPushButton::clicked);
    QSignalSpy cancel(control<QPushButton>(window, Control::CmdCancel), &QPushButton::clicked);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.widget(Control::CmdOk)->setFocus();
    QTest::keyClick(window.widget(Control::CmdOk), Qt::Key_Space);
    QCOMPARE(ok.count(), 1);
    QTest::keyClick(window.widget(Control::CmdOk), Qt::Key_Return);
    QTest::keyClick(window.widget(Control::CmdOk), Qt::Key_Enter);
    QCOMPARE(ok.count(), 3);
    QCOMPARE(cancel.count(), 0);
    window.widget(Control::CmdCancel)->setFocus();
    QTest::keyClick(window.widget(Control::CmdCancel), Qt::Key_Space);
    QCOMPARE(cancel.count(), 1);
    // Esc on a button presses neither button.
    QTest::keyClick(window.widget(Control::CmdOk), Qt::Key_Escape);
    QCOMPARE(cancel.count(), 1);
    QCOMPARE(ok.count(), 3);
  }
};

}  // namespace tavro

QTEST_MAIN(tavro::SurveyWindowKeyboardTest)
#include "survey_window_keyboard_test.moc"
