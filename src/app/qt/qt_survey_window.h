// The survey window on Qt: one widget per row of the layout table, reached by
// the shared handlers through SurveyControls. It holds no survey logic; it
// only forwards the OK, Cancel and close-box events to the handlers.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "survey/controls.h"

namespace tavro {

class SurveyForm;

class QtSurveyWindow : public QWidget, public SurveyControls {
  Q_OBJECT
 public:
  explicit QtSurveyWindow(QWidget* parent = nullptr);

  // OK runs CmdOk_Click; Cancel and the window's close box run CmdCancel_Click.
  void connect_handlers(SurveyForm& form);

  QWidget* widget(Control control) const;

  void set_caption(Control control, std::wstring_view caption) override;
  void set_enabled(Control control, bool enabled) override;
  void set_value(Control control, CheckValue value) override;
  CheckValue value(Control control) const override;
  void set_text(Control control, std::wstring_view text) override;
  std::wstring text(Control control) const override;
  void set_back_color(Control control, OleColor color) override;
  // Closes the window for a handler (QWidget::close would count as the close box).
  void close() override;
  void show_message(std::wstring_view message) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  template <typename Widget>
  Widget* widget_as(Control control) const;
  void chain_tab_order();
  void focus_first_control();

  std::array<QWidget*, kControlCount> widgets_{};
  std::function<void()> close_box_handler_;
  bool shown_before_ = false;
  bool closing_for_handler_ = false;
  bool in_close_box_ = false;
};

}  // namespace tavro
