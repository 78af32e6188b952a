#include "survey/survey_form.h"

#include <exception>
#include <utility>

#include "common/failure.h"
#include "machine/cls_mem_info.h"
#include "machine/host_identity.h"
#include "platform/record_file.h"
#include "settings/profile.h"
#include "settings/settings_path.h"
#include "survey/application_slots.h"
#include "survey/inventory_record.h"
#include "survey/save.h"
#include "survey/status_items.h"

namespace tavro {
namespace {

constexpr std::array<Control, 3> kMachineFactBoxes = {Control::TxtHN, Control::TxtIP,
                                                      Control::TxtMEM};

// Record fields in order: the machine facts, the five answers, the ten ticks.
RecordFields read_record_fields(const SurveyControls& window) {
  RecordFields fields;
  for (int slot = 1; slot <= kApplicationSlots; ++slot) {
    if (window.value(check_box(slot)) == CheckValue::kTicked) {
      fields[kFirstApplicationField + static_cast<std::size_t>(slot) - 1] = kInstalled;
    }
  }
  for (std::size_t i = 0; i < kMachineFactBoxes.size(); ++i) {
    fields[i] = window.text(kMachineFactBoxes[i]);
  }
  for (int item = 1; item <= kStatusItems; ++item) {
    fields[kFirstAnswerField + static_cast<std::size_t>(item) - 1] = window.text(status_text(item));
  }
  return fields;
}

}  // namespace

SurveyServices SurveyServices::system() {
  return {tavro::settings_file_path, local_host_name, local_ip_address, query_memory_status};
}

SurveyForm::SurveyForm(SurveyControls& window, SurveyServices services)
    : window_(window), services_(std::move(services)) {}

LoadFacts read_load_facts(const SurveyServices& services) {
  LoadFacts facts;
  facts.settings = Profile::load(services.settings_file_path());
  for (std::size_t i = 0; i < facts.applications.size(); ++i) {
    facts.applications[i] = read_application_slot(facts.settings, static_cast<int>(i) + 1);
    facts.found[i] = application_found(facts.applications[i]);
  }
  facts.host_name = services.host_name();
  facts.ip_address = services.ip_address();
  facts.memory_bytes = clsMemInfo(services.memory_status).AllSpace();
  return facts;
}

void SurveyForm::Form_Load() {
  Form_Load(read_load_facts(services_));
}

void SurveyForm::Form_Load(const LoadFacts& facts) {
  for (std::size_t i = 0; i < facts.applications.size(); ++i) {
    set_up_application_slot(window_, facts.applications[i], static_cast<int>(i) + 1,
                            facts.found[i]);
  }
  for (int item = 1; item <= kStatusItems; ++item)
    set_up_status_item(window_, facts.settings, item);
  for (const Control box : kMachineFactBoxes)
    window_.set_enabled(box, false);
  window_.set_text(Control::TxtHN, facts.host_name);
  window_.set_text(Control::TxtIP, facts.ip_address);
  window_.set_text(Control::TxtMEM, std::to_wstring(facts.memory_bytes));
}

void SurveyForm::CmdOk_Click() {
  try {
    save_record();
  } catch (const std::exception& error) {
    window_.show_message(message_of(error));
    return;
  }
  window_.close();
}

void SurveyForm::CmdCancel_Click() {
  window_.close();
}

void SurveyForm::save_record() {
  const std::wstring settings_path = services_.settings_file_path();
  // Encoded before any file is touched, so encoding cannot fail halfway.
  const std::string bytes = record_file_bytes(read_record_fields(window_));
  // The Save section is read on every OK: a folder fixed meanwhile takes effect.
  const std::wstring folder = save_folder(Profile::load(settings_path));
  const std::wstring path = record_file_path(folder, services_.host_name());
  try {
    replace_file_atomically(path, bytes);
  } catch (const Failure& failure) {
    throw Failure(L"The inventory record could not be saved to \"" + path + L"\":\n" +
                  failure.message() +
                  L"\n\nYour answers are kept. Press OK to try again, or Cancel to quit.");
  }
}

}  // namespace tavro
