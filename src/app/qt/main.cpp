// Tavro's survey on Linux: one Qt window, the program ends when it closes.
#include <QApplication>

#include "survey/survey_form.h"
#include "survey_program.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  return tavro::qt::run_survey_program(tavro::SurveyServices::system());
}
