#include "window_driver.h"

#include <cstdlib>
#include <filesystem>

#include "app/win32/message_loop.h"
#include "common/unicode.h"
#include "machine/host_identity.h"
#include "platform/executable_folder.h"
#include "platform/system_text.h"
#include "png_file.h"

namespace tavro::win32::testing {
namespace {

std::string replace_all(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The message boxes found by the timer while an action runs.
thread_local std::vector<MessageBoxSeen>* message_boxes_seen = nullptr;

BOOL CALLBACK collect_static_text(HWND child, LPARAM texts) {
  wchar_t class_name[32] = {};
  GetClassNameW(child, class_name, 32);
  if (lstrcmpiW(class_name, L"Static") == 0) {
    const int length = GetWindowTextLengthW(child);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), length + 1)));
    auto& all = *reinterpret_cast<std::wstring*>(texts);
    if (!text.empty()) all += (all.empty() ? L"" : L"\n") + text;
  }
  return TRUE;
}

BOOL CALLBACK answer_if_message_box(HWND window, LPARAM /*unused*/) {
  wchar_t class_name[32] = {};
  GetClassNameW(window, class_name, 32);
  if (lstrcmpW(class_name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  MessageBoxSeen seen{GetWindow(window, GW_OWNER), L""};
  EnumChildWindows(window, collect_static_text, reinterpret_cast<LPARAM>(&seen.text));
  message_boxes_seen->push_back(seen);
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK look_for_message_boxes(HWND /*timer_window*/, UINT /*message*/, UINT_PTR /*timer*/,
                                     DWORD /*time*/) {
  if (message_boxes_seen != nullptr) {
    EnumThreadWindows(GetCurrentThreadId(), answer_if_message_box, 0);
  }
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

void type_text(SurveyWindow& window, std::wstring_view text) {
  for (const wchar_t c : text) {
    PostMessageW(GetFocus(), WM_CHAR, c, 1);
    pump_messages(window);
  }
}

std::vector<MessageBoxSeen> answer_message_boxes(const std::function<void()>& action) {
  std::vector<MessageBoxSeen> seen;
  message_boxes_seen = &seen;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, look_for_message_boxes);
  action();
  KillTimer(nullptr, timer);
  message_boxes_seen = nullptr;
  return seen;
}

bool save_screenshot(HWND window, const std::wstring& png_path) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
  const auto* source = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = source[i] & 0xFFFFFFu;  // BGRA in memory is 0xAARRGGBB
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return tavro::testing::write_png(png_path, width, height, pixels);
}

std::wstring test_output_folder() {
  wchar_t folder[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TAVRO_TEST_OUTPUT", folder, MAX_PATH) != 0) return folder;
  GetTempPathW(MAX_PATH, folder);
  return folder;
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
  folder_.write("Tavro.ini", replace_all(std::string(settings), "{tmp}", folder_text()));
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

RunningTavro::RunningTavro(const std::string& settings) {
  std::filesystem::copy_file(std::filesystem::path(executable_folder()) / "Tavro.exe",
                             folder_.path() / "Tavro.exe");
  folder_.write("Tavro.ini", settings);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command = L"\"" + folder_.wide("Tavro.exe") + L"\"";
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder_.wide().c_str(), &startup, &process_) == FALSE) {
    return;
  }
  for (int attempt = 0; attempt < 200 && window_ == nullptr; ++attempt) {
    WaitForInputIdle(process_.hProcess, 100);
    for (HWND candidate = FindWindowW(L"TavroSurveyWindow", nullptr); candidate != nullptr;
         candidate = FindWindowExW(nullptr, candidate, L"TavroSurveyWindow", nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(candidate, &owner);
      if (owner == process_.dwProcessId && IsWindowVisible(candidate)) window_ = candidate;
    }
    if (window_ == nullptr) Sleep(50);
  }
}

RunningTavro::~RunningTavro() {
  if (process_.hProcess == nullptr) return;
  if (!exit_code_within(0)) TerminateProcess(process_.hProcess, 99);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

std::optional<DWORD> RunningTavro::exit_code_within(DWORD milliseconds) const {
  if (process_.hProcess == nullptr ||
      WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD exit_code = 0;
  GetExitCodeProcess(process_.hProcess, &exit_code);
  return exit_code;
}

std::string machine_fact_fields() {
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof memory;
  GlobalMemoryStatusEx(&memory);
  return encode_system_text(local_host_name()) + "," + encode_system_text(local_ip_address()) +
         "," + std::to_string(memory.ullTotalPhys) + ",";
}

std::string record_file_name() {
  wchar_t name[256] = {};
  DWORD length = 256;
  GetComputerNameExW(ComputerNameDnsHostname, name, &length);
  return wide_to_utf8(name) + ".txt";
}

}  // namespace tavro::win32::testing
