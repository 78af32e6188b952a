// Whole runs of the survey window with the shared handlers, from a settings
// file in a temporary folder to the bytes of the record it writes.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <filesystem>
#include <string>
#include <utility>

#include "common/failure.h"
#include "qt_test_support.h"
#include "support/fixed_services.h"
#include "support/temp_folder.h"
#include "survey/survey_form.h"
#include "survey_program.h"
#include "survey_window.h"

namespace tavro::qt {
namespace {

namespace fs = std::filesystem;
using testing::control;

void click(SurveyWindow& window, Control c) {
  // Near the left edge: on a check box's indicator, inside a button.
  QTest::mouseClick(window.widget(c), Qt::LeftButton, {},
                    QPoint(6, window.widget(c)->height() / 2));
}

// A survey window connected to its handlers and loaded, as the program has
// it just before showing it.
struct LoadedSurvey {
  explicit LoadedSurvey(SurveyServices services) : form(window, std::move(services)) {
    window.connect_events(form);
    form.Form_Load();
  }
  SurveyWindow window;
  SurveyForm form;
};

}  // namespace

class SurveyWindowRunTest : public QObject {
  Q_OBJECT

 private:
  testing::TempFolder folder_;

  std::string path(std::string_view relative) const { return (folder_.path() / relative).string(); }

  SurveyServices services() const { return testing::fixed_services(folder_.wide("Tavro.ini")); }

  // Slot 1 is found, slot 2 is disabled, slot 3 is missing; item 2 is disabled.
  void write_settings(const std::string& save_folder) {
    folder_.write("apps/dialer.bin", "x");
    folder_.write("apps/tool.exe", "x");
    const std::string text =
        "[Application]\r\n"
        "EnableA1=1\r\nName1=AT&T Dialer\r\nPath1=" +
        path("apps/dialer.bin") +
        "\r\nFile1=Dialer.BIN\r\nString1=10\r\n"
        "EnableA2=0\r\nName2=Tool\r\nPath2=" +
        path("apps/*.exe") +
        "\r\nFile2=tool.exe\r\nString2=8\r\n"
        "EnableA3=1\r\nName3=Absent\r\nPath3=" +
        path("apps/absent") +
        "\r\nFile3=absent\r\nString3=6\r\n"
        "[Status]\r\n"
        "EnableI1=1\r\nItem1=Room & desk\r\n"
        "EnableI2=0\r\nItem2=Unused\r\n"
        "EnableI3=1\r\nItem3=User\r\n"
        "[Save]\r\nSavePath=" +
        save_folder + "\r\nPathString=" + std::to_string(save_folder.size()) + "\r\n";
    folder_.write("Tavro.ini", text);
  }

  static std::size_t files_in(const std::string& folder) {
    std::error_code ignored;
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder, ignored), {}));
  }

 private slots:
  void init() {
    fs::remove_all(folder_.path());
    fs::create_directories(folder_.path() / "records");
  }

  void aFullRunLoadsTheSettingsTakesTheAnswersAndWritesTheRecord() {
    write_settings(path("records"));
    LoadedSurvey survey(services());
    SurveyWindow& window = survey.window;

    // What the load set shows, the answers go in by keyboard and mouse, and
    // the record holds both.
    QVERIFY(control<QCheckBox>(window, Control::Check1)->isChecked());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.widget(Control::Check1), Qt::Key_Space);  // untick slot 1
    click(window, Control::Check3);                                  // tick slot 3
    QTest::keyClicks(window.widget(Control::Text1), QStringLiteral("Room 4, east"));
    QTest::keyClicks(window.widget(Control::Text3), QStringLiteral("alice \"A\""));
    click(window, Control::CmdOk);

    QVERIFY(!window.isVisible());
    QCOMPARE(folder_.read("records/PC-042.txt"),
             std::string("PC-042,10.0.0.42,17179869184,\"Room 4, east\",,\"alice \"\"A\"\"\",,,"
                         ",Installed,Installed,,,,,,,\r\n"));
    QCOMPARE(files_in(path("records")), std::size_t{1});
  }

  void cancelAndTheCloseBoxWriteNothing_data() {
    QTest::addColumn<bool>("close_box");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close box") << true;
  }

  void cancelAndTheCloseBoxWriteNothing() {
    QFETCH(bool, close_box);
    write_settings(path("records"));
    LoadedSurvey survey(services());
    SurveyWindow& window = survey.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(window.widget(Control::Text1), QStringLiteral("typed"));
    if (close_box) {
      // The window system's close request, spontaneous as the title bar's close box sends it.
      QCloseEvent request;
      QSpontaneKeyEvent::setSpontaneous(&request);
      QCoreApplication::instance()->notify(window.windowHandle(), &request);
    } else {
      click(window, Control::CmdCancel);
    }
    QTRY_VERIFY(!window.isVisible());
    QCOMPARE(files_in(path("records")), std::size_t{0});
  }

  void aFailingSaveKeepsTheWindowAndTheAnswers() {
    const std::string missing = path("records/not-yet");
    write_settings(missing);
    LoadedSurvey survey(services());
    SurveyWindow& window = survey.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(window.widget(Control::Text1), QStringLiteral("Room 4"));
    {
      testing::MessageBoxAnswerer answerer;
      click(window, Control::CmdOk);
      QCOMPARE(answerer.texts().size(), 1);
      QVERIFY2(answerer.texts().front().contains(QString::fromStdString(missing)),
               qPrintable(answerer.texts().front()));
      QVERIFY(answerer.survey_window_was_visible());
    }
    QVERIFY(window.isVisible());
    QCOMPARE(window.text(Control::Text1), std::wstring(L"Room 4"));
    QCOMPARE(files_in(path("records")), std::size_t{0});
  }

  void theProgramShowsTheWindowOnlyOnceLoaded() {
    write_settings(path("records"));
    bool seen = false;
    QString host_name_when_shown;
    bool host_box_enabled_when_shown = true;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, [&] {
      SurveyWindow* window = testing::visible_survey_window();
      if (window == nullptr || seen) return;
      seen = true;
      host_name_when_shown = control<QLineEdit>(*window, Control::TxtHN)->text();
      host_box_enabled_when_shown = window->widget(Control::TxtHN)->isEnabled();
      click(*window, Control::CmdCancel);
    });
    watcher.start(10);
    QCOMPARE(run_survey_program(services(), read_load_facts_meanwhile(services())), 0);
    QVERIFY(seen);
    QCOMPARE(host_name_when_shown, QStringLiteral("PC-042"));
    QVERIFY(!host_box_enabled_when_shown);
    QCOMPARE(files_in(path("records")), std::size_t{0});
  }

  void aFailingLoadShowsAMessageAndNeverTheWindow() {
    SurveyServices failing = services();
    failing.host_name = []() -> std::wstring { throw Failure(L"the host name is unreadable"); };
    testing::MessageBoxAnswerer answerer;
    QCOMPARE(run_survey_program(failing, read_load_facts_meanwhile(failing)), 1);
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("the host name is unreadable")});
    QVERIFY(!answerer.survey_window_was_visible());
  }

  void theLoadedWindowRendersToAPicture() {
    write_settings(path("records"));
    LoadedSurvey survey(services());
    SurveyWindow& window = survey.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage image = window.grab().toImage();
    QVERIFY(QDir().mkpath(QStringLiteral(TAVRO_SCREENSHOT_DIR)));
    const QString file = QStringLiteral(TAVRO_SCREENSHOT_DIR "/survey-window.png");
    QVERIFY(image.save(file));
    qInfo("The loaded window is in %s", qPrintable(file));
    // The logo is drawn whole where the table puts it.
    QCOMPARE(image.copy(488, 152, 111, 88), control<QLabel>(window, Control::Image1)
                                                ->pixmap()
                                                .toImage()
                                                .convertToFormat(image.format()));
  }
};

}  // namespace tavro::qt

QTEST_MAIN(tavro::qt::SurveyWindowRunTest)
#include "survey_window_run_test.moc"
