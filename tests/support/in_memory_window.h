// A survey window held in memory: the controls' state as the handlers see
// it, starting as the layout defines it, with a log of every call in order.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "survey/controls.h"

namespace tavro::testing {

struct ControlState {
  std::wstring caption;
  std::wstring text;
  bool enabled = true;
  CheckValue value = CheckValue::kUnticked;
  OleColor back_color = 0x80000005;  // the window background colour of a text box
};

class InMemoryWindow : public SurveyControls {
 public:
  InMemoryWindow();

  void set_caption(Control control, std::wstring_view caption) override;
  void set_enabled(Control control, bool enabled) override;
  void set_value(Control control, CheckValue value) override;
  CheckValue value(Control control) const override;
  void set_text(Control control, std::wstring_view text) override;
  std::wstring text(Control control) const override;
  void set_back_color(Control control, OleColor color) override;
  void close() override;
  void show_message(std::wstring_view message) override;

  const ControlState& operator[](Control control) const;
  ControlState& operator[](Control control);
  bool closed() const { return closed_; }
  const std::vector<std::wstring>& messages() const { return messages_; }
  // One line per call, e.g. "set_enabled Check3 0", in the order made.
  const std::vector<std::string>& calls() const { return calls_; }

 private:
  void log(std::string_view operation, Control control, std::string_view argument);

  std::array<ControlState, kControlCount> controls_;
  bool closed_ = false;
  std::vector<std::wstring> messages_;
  std::vector<std::string> calls_;
};

}  // namespace tavro::testing
