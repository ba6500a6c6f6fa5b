// The yardstick for start-up: a bare Qt window, built with the suite's flags.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(473, 300);
    window.show();
    return app.exec();
}
