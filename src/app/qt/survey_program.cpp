#include "survey_program.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <future>
#include <utility>

#include "common/failure.h"
#include "qt_text.h"
#include "survey/layout.h"
#include "survey_window.h"

namespace tavro::qt {
namespace {

void show_load_failure(const std::wstring& message) {
  QMessageBox box(QMessageBox::Critical, to_qstring(kWindowTitle), to_qstring(message),
                  QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

int run_survey_program(SurveyServices services) {
  // The settings, the searches and the machine facts are read while the
  // widgets are made; where no thread can be had, when they are asked for.
  std::future<LoadFacts> facts = std::async(std::launch::async | std::launch::deferred,
                                            [services] { return read_load_facts(services); });
  // The program's default font too, message boxes included: a text box
  // lays out its text in the default font before it takes the window's,
  // and with the two the same Qt loads one font, not two.
  QApplication::setFont(layout_font());
  SurveyWindow window;
  SurveyForm form(window, std::move(services));
  window.connect_events(form);
  try {
    form.Form_Load(facts.get());
  } catch (const std::exception& error) {
    show_load_failure(message_of(error));
    return 1;
  }
  window.show();
  return QApplication::exec();
}

}  // namespace tavro::qt
