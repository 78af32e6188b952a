// An empty Qt 6 window with the survey window's client size (615 x 291
// pixels): the yardstick for the Linux survey's start-up time and memory.
//
// With --controls it holds the survey's 29 controls that show text (10 check
// boxes, 9 labels, 8 text boxes, 2 buttons) in a plain grid, and nothing
// else: what those widgets and their first text cost any program, without
// the survey's settings, pictures or layout. With --label it holds one
// label: the first text alone, which starts Qt's font system.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace {

void add_plain_controls(QWidget& window) {
  constexpr int kCheckBoxes = 10;
  constexpr int kLabels = 9;
  constexpr int kTextBoxes = 8;
  constexpr int kButtons = 2;
  int placed = 0;
  const auto place = [&placed](QWidget* control) {
    control->setGeometry(8 + (placed % 3) * 200, 8 + (placed / 3) * 27, 190, 23);
    ++placed;
  };
  for (int i = 1; i <= kCheckBoxes; ++i)
    place(new QCheckBox(QStringLiteral("Check box %1").arg(i), &window));
  for (int i = 1; i <= kLabels; ++i)
    place(new QLabel(QStringLiteral("Label %1").arg(i), &window));
  for (int i = 1; i <= kTextBoxes; ++i)
    place(new QLineEdit(QStringLiteral("Text %1").arg(i), &window));
  for (int i = 1; i <= kButtons; ++i)
    place(new QPushButton(QStringLiteral("Button %1").arg(i), &window));
}

}  // namespace

int main(int argc, char** argv) {
  const QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  const bool with_controls = arguments.contains(QStringLiteral("--controls"));
  const bool with_label = arguments.contains(QStringLiteral("--label"));
  QWidget window;
  window.setWindowTitle(with_controls ? QStringLiteral("Plain Qt window")
                        : with_label  ? QStringLiteral("Labelled Qt window")
                                      : QStringLiteral("Empty Qt window"));
  window.setFixedSize(615, 291);
  if (with_controls) add_plain_controls(window);
  if (with_label) (new QLabel(QStringLiteral("Label"), &window))->move(8, 8);
  window.show();
  return QApplication::exec();
}
