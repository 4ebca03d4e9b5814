// The floor for the start-up benchmark: the least a Qt 6 program with a main
// window and a menu bar does before its window is on the screen.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Quadrivo 98");
    for (const char* title : {"&File", "&Modifica", "&Visualizza", "&Strumenti", "&?"})
        window.menuBar()->addMenu(title)->addAction("...");
    window.showMaximized();
    return app.exec();
}
