#include "window_driver.h"

#include "app/win32/message_loop.h"

namespace tavro::win32::testing {
namespace {

std::string replace_all(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace

void pump_messages(SurveyWindow& window) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    handle_message(window, message);
}

void press_key(SurveyWindow& window, WORD key, bool shift) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  keys[VK_LSHIFT] = keys[VK_SHIFT];
  SetKeyboardState(keys);
  const HWND target = GetFocus() != nullptr ? GetFocus() : window.handle();
  const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, key, scan | 1);
  PostMessageW(target, WM_KEYUP, key, scan | 1 | (LPARAM{3} << 30));
  pump_messages(window);
  keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
  SetKeyboardState(keys);
}

SurveyUnderTest::SurveyUnderTest() {
  window_ = std::make_unique<SurveyWindow>(GetModuleHandleW(nullptr));
  SurveyServices services = SurveyServices::system();
  services.settings_file_path = [this] { return folder_.wide("Tavro.ini"); };
  form_ = std::make_unique<SurveyForm>(*window_, std::move(services));
  window_->connect_events(*form_);
}

SurveyUnderTest::~SurveyUnderTest() {
  form_.reset();
  window_.reset();
  // The quit message the window posted as it went would end the next test's
  // message boxes and loops at once.
  MSG quit{};
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

SurveyUnderTest::SurveyUnderTest(std::string_view settings) : SurveyUnderTest() {
  folder_.write("Tavro.ini", replace_all(std::string(settings), "{tmp}", folder_.utf8()));
}

void SurveyUnderTest::load() {
  form_->Form_Load();
}

void SurveyUnderTest::load_and_show() {
  load();
  window_->show(SW_SHOWNORMAL);
  SetForegroundWindow(window_->handle());
  pump_messages(*window_);
}

}  // namespace tavro::win32::testing
