#include "support/in_memory_window.h"

#include "common/unicode.h"
#include "survey/layout.h"

namespace tavro::testing {

InMemoryWindow::InMemoryWindow() {
  for (const LayoutRow& row : kSurveyLayout) {
    ControlState& state = controls_[static_cast<std::size_t>(row.id)];
    (row.kind == ControlKind::kTextBox ? state.text : state.caption) = row.caption;
  }
}

void InMemoryWindow::log(std::string_view operation, Control control, std::string_view argument) {
  std::string line(operation);
  line += ' ';
  line += layout_of(control).name;
  if (!argument.empty()) {
    line += ' ';
    line += argument;
  }
  calls_.push_back(std::move(line));
}

void InMemoryWindow::set_caption(Control control, std::wstring_view caption) {
  (*this)[control].caption = caption;
  log("set_caption", control, wide_to_utf8(caption));
}

void InMemoryWindow::set_enabled(Control control, bool enabled) {
  (*this)[control].enabled = enabled;
  log("set_enabled", control, enabled ? "1" : "0");
}

void InMemoryWindow::set_value(Control control, CheckValue value) {
  (*this)[control].value = value;
  log("set_value", control, value == CheckValue::kTicked ? "1" : "0");
}

CheckValue InMemoryWindow::value(Control control) const {
  return (*this)[control].value;
}

void InMemoryWindow::set_text(Control control, std::wstring_view text) {
  (*this)[control].text = text;
  log("set_text", control, wide_to_utf8(text));
}

std::wstring InMemoryWindow::text(Control control) const {
  return (*this)[control].text;
}

void InMemoryWindow::set_back_color(Control control, OleColor color) {
  (*this)[control].back_color = color;
  log("set_back_color", control, std::to_string(color));
}

void InMemoryWindow::close() {
  closed_ = true;
}

void InMemoryWindow::show_message(std::wstring_view message) {
  messages_.emplace_back(message);
}

const ControlState& InMemoryWindow::operator[](Control control) const {
  return controls_.at(static_cast<std::size_t>(control));
}

ControlState& InMemoryWindow::operator[](Control control) {
  return controls_.at(static_cast<std::size_t>(control));
}

}  // namespace tavro::testing
