#include "app/win32/message_loop.h"

#include "app/win32/key_filter.h"

namespace tavro::win32 {

void handle_message(SurveyWindow& window, MSG& message) {
  if (!window.closed()) {
    if (filter_enter_or_escape(window, message)) return;
    if (IsDialogMessageW(window.handle(), &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int run_message_loop(SurveyWindow& window) {
  MSG message{};
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    handle_message(window, message);
  }
}

}  // namespace tavro::win32
