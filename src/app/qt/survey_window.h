// The survey window on Qt: one widget per row of the layout table, reached by
// the shared handlers through SurveyControls. It holds no survey logic; it
// only forwards the OK, Cancel and close-box events to the handlers.
#pragma once

#include <QFont>
#include <QWidget>
#include <array>

#include "survey/controls.h"

namespace tavro {
class SurveyForm;
}

namespace tavro::qt {

// The platform's font family at the size the fixed layout was drawn for:
// desktop defaults of 10 points and more would clip "Hostname" and overfill
// the 17-pixel rows.
QFont layout_font();

class SurveyWindow : public QWidget, public SurveyControls {
  Q_OBJECT
 public:
  explicit SurveyWindow(QWidget* parent = nullptr);

  // OK runs CmdOk_Click, Cancel (and so the close box) CmdCancel_Click.
  void connect_events(SurveyForm& form);

  QWidget* widget(Control control) const;

  void set_caption(Control control, std::wstring_view caption) override;
  void set_enabled(Control control, bool enabled) override;
  void set_value(Control control, CheckValue value) override;
  CheckValue value(Control control) const override;
  void set_text(Control control, std::wstring_view text) override;
  std::wstring text(Control control) const override;
  void set_back_color(Control control, OleColor color) override;
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
  bool shown_before_ = false;
};

}  // namespace tavro::qt
