#include <QApplication>
#include <QMainWindow>

// Until the main window lands, the program opens an empty window and closes cleanly.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("QVMap");
  window.resize(800, 600);
  window.show();
  return app.exec();
}
