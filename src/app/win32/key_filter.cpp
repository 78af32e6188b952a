#include "app/win32/key_filter.h"

namespace tavro::win32 {

bool filter_enter_or_escape(SurveyWindow& window, const MSG& message) {
  if (message.message != WM_KEYDOWN ||
      (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) {
    return false;
  }
  if (message.hwnd != window.handle() && !IsChild(window.handle(), message.hwnd)) return false;
  if (message.wParam == VK_RETURN) {
    const HWND focus = GetFocus();
    for (const Control button : {Control::CmdOk, Control::CmdCancel}) {
      if (focus == window.control(button)) window.press(button);
    }
  }
  return true;
}

}  // namespace tavro::win32
