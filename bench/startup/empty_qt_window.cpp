// An empty Qt 6 window with the survey window's client size (615 x 291
// pixels): the yardstick for the Linux survey's start-up time and memory.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  const QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Empty Qt window"));
  window.setFixedSize(615, 291);
  window.show();
  return QApplication::exec();
}
