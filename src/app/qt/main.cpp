// Tavro's survey on Linux: one Qt window, the program ends when it closes.
#include <QApplication>
#include <future>
#include <utility>

#include "survey/survey_form.h"
#include "survey_program.h"

int main(int argc, char* argv[]) {
  // The facts are read while the toolkit connects to the display.
  const tavro::SurveyServices services = tavro::SurveyServices::system();
  std::future<tavro::LoadFacts> facts = tavro::read_load_facts_meanwhile(services);
  QApplication application(argc, argv);
  return tavro::qt::run_survey_program(services, std::move(facts));
}
