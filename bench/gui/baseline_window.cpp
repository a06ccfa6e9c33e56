// The yardstick for the program's start-up: a bare Qt Widgets window of the main
// window's size, shown and closed again as soon as it is on screen.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* client = new QWidget(&window);
    client->setFixedSize(655, 415);
    window.setCentralWidget(client);
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.show();
    QTimer::singleShot(0, &window, &QWidget::close);
    return app.exec();
}
