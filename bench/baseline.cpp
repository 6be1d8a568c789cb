// A bare Qt window of the main window's size with one label: what any such window costs to start,
// against which the application's start-up is measured (startup_cost.sh). The label is Japanese so
// that both programs pay for loading a Japanese font.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);

  QWidget window;
  window.setWindowTitle(QStringLiteral("baseline"));
  window.setFixedSize(437, 296);

  auto* label = new QLabel(QStringLiteral("生年月日を入力してください。"), &window);
  label->move(58, 10);

  window.show();
  return app.exec();
}
