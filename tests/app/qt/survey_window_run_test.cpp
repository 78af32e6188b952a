// Whole runs of the survey window with the shared handlers, from a settings
// file in a temporary folder to the record it writes.
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/failure.h"
#include "qt_test_support.h"
#include "support/fixed_services.h"
#include "support/temp_folder.h"
#include "survey/inventory_record.h"
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

// Keeps what the host-name box shows as a survey window is first shown, then
// presses Cancel once the showing is over.
class ShowWatcher : public QObject {
 public:
  std::optional<QString> host_name;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* window = qobject_cast<SurveyWindow*>(object);
    if (window != nullptr && event->type() == QEvent::Show && !host_name) {
      host_name = control<QLineEdit>(*window, Control::TxtHN)->text();
      QMetaObject::invokeMethod(control<QPushButton>(*window, Control::CmdCancel),
                                &QPushButton::click, Qt::QueuedConnection);
    }
    return false;
  }
};

}  // namespace

// Each test starts from settings that save to an empty records folder, with
// every message box answered as it comes up, so that none can block a run.
class SurveyWindowRunTest : public QObject {
  Q_OBJECT

 private:
  testing::TempFolder folder_;
  std::unique_ptr<testing::MessageBoxAnswerer> answerer_;
  std::unique_ptr<SurveyWindow> window_;
  std::unique_ptr<SurveyForm> form_;

  std::string path(std::string_view relative) const { return (folder_.path() / relative).string(); }

  SurveyServices services() const { return testing::fixed_services(folder_.wide("Tavro.ini")); }

  // Slot 1 is found, slot 3 is missing.
  void write_settings(const std::string& save_folder) {
    folder_.write("apps/dialer.bin", "x");
    const std::string text =
        "[Application]\r\n"
        "EnableA1=1\r\nName1=AT&T Dialer\r\nPath1=" +
        path("apps/dialer.bin") +
        "\r\nFile1=Dialer.BIN\r\nString1=10\r\n"
        "EnableA3=1\r\nName3=Absent\r\nPath3=" +
        path("apps/absent") +
        "\r\nFile3=absent\r\nString3=6\r\n"
        "[Status]\r\n"
        "EnableI1=1\r\nItem1=Room & desk\r\n"
        "EnableI3=1\r\nItem3=User\r\n"
        "[Save]\r\nSavePath=" +
        save_folder + "\r\nPathString=" + std::to_string(save_folder.size()) + "\r\n";
    folder_.write("Tavro.ini", text);
  }

  // Connects a window to its handlers, loads and shows it, as the program
  // does; whether it became active.
  bool open() {
    window_ = std::make_unique<SurveyWindow>();
    form_ = std::make_unique<SurveyForm>(*window_, services());
    window_->connect_events(*form_);
    form_->Form_Load();
    window_->show();
    return QTest::qWaitForWindowActive(window_.get());
  }

  SurveyWindow& window() { return *window_; }

  // The bytes of each file in the records folder.
  std::vector<std::string> saved() const {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_.path() / "records"))
      files.push_back(folder_.read("records/" + entry.path().filename().string()));
    return files;
  }

 private slots:
  void init() {
    fs::remove_all(folder_.path());
    fs::create_directories(folder_.path() / "records");
    write_settings(path("records"));
    answerer_ = std::make_unique<testing::MessageBoxAnswerer>();
  }

  void cleanup() {
    form_.reset();
    window_.reset();
    answerer_.reset();
  }

  // The keyboard and the mouse reach the widgets, and OK saves what they show.
  void okSavesWhatWasTypedAndTicked() {
    QVERIFY(open());
    QTest::keyClick(window().widget(Control::Check1), Qt::Key_Space);  // untick the found slot 1
    click(window(), Control::Check3);                                  // tick the missing slot 3
    QTest::keyClicks(window().widget(Control::Text1), QStringLiteral("Room 4"));
    QTest::keyClicks(window().widget(Control::Text3), QStringLiteral("alice"));
    click(window(), Control::CmdOk);

    QVERIFY(!window().isVisible());
    const std::vector<std::string> files = saved();
    QCOMPARE(files.size(), std::size_t{1});
    const Result<RecordFields> record = read_record_file(files.front());
    QVERIFY(record);
    QCOMPARE(record->at(kFirstAnswerField), std::wstring(L"Room 4"));
    QCOMPARE(record->at(kFirstAnswerField + 2), std::wstring(L"alice"));
    QCOMPARE(record->at(kFirstApplicationField), std::wstring());
    QCOMPARE(record->at(kFirstApplicationField + 2), std::wstring(kInstalled));
  }

  void cancelAndTheCloseBoxWriteNothing_data() {
    QTest::addColumn<bool>("close_box");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close box") << true;
  }

  void cancelAndTheCloseBoxWriteNothing() {
    QFETCH(bool, close_box);
    QVERIFY(open());
    if (close_box) {
      // The window system's close request, spontaneous as the title bar's close box sends it.
      QCloseEvent request;
      QSpontaneKeyEvent::setSpontaneous(&request);
      QCoreApplication::instance()->notify(window().windowHandle(), &request);
    } else {
      click(window(), Control::CmdCancel);
    }
    QTRY_VERIFY(!window().isVisible());
    QVERIFY(saved().empty());
  }

  void aFailingSaveShowsItsMessageOverTheWindowAndKeepsIt() {
    const std::string missing = path("records/not-yet");
    write_settings(missing);
    QVERIFY(open());
    click(window(), Control::CmdOk);
    QCOMPARE(answerer_->texts().size(), 1);
    QVERIFY2(answerer_->texts().front().contains(QString::fromStdString(missing)),
             qPrintable(answerer_->texts().front()));
    QVERIFY(answerer_->survey_window_was_visible());
    QVERIFY(window().isVisible());
  }

  void theProgramShowsTheWindowOnlyOnceLoaded() {
    ShowWatcher watcher;
    QApplication::instance()->installEventFilter(&watcher);
    QCOMPARE(run_survey_program(services()), 0);
    QCOMPARE(watcher.host_name, QString::fromStdWString(std::wstring(testing::kFixedHostName)));
  }

  void aFailingLoadShowsAMessageAndNeverTheWindow() {
    SurveyServices failing = services();
    failing.host_name = []() -> std::wstring { throw Failure(L"the host name is unreadable"); };
    QCOMPARE(run_survey_program(failing), 1);
    QCOMPARE(answerer_->texts(), QStringList{QStringLiteral("the host name is unreadable")});
    QVERIFY(!answerer_->survey_window_was_visible());
  }

  void theLoadedWindowRendersToAPicture() {
    QVERIFY(open());
    const QImage image = window().grab().toImage();
    QVERIFY(QDir().mkpath(QStringLiteral(TAVRO_SCREENSHOT_DIR)));
    const QString file = QStringLiteral(TAVRO_SCREENSHOT_DIR "/survey-window.png");
    QVERIFY(image.save(file));
    qInfo("The loaded window is in %s", qPrintable(file));
    // The logo is drawn whole at its label's place.
    auto* logo = control<QLabel>(window(), Control::Image1);
    QCOMPARE(image.copy(QRect(logo->pos(), logo->pixmap().size())),
             logo->pixmap().toImage().convertToFormat(image.format()));
  }
};

}  // namespace tavro::qt

QTEST_MAIN(tavro::qt::SurveyWindowRunTest)
#include "survey_window_run_test.moc"
