// The floor for the startup benchmark: the least a Qt Widgets program does to show a main window. It has
// a label and nothing else; whatever Tallywick needs beyond it shows up as the difference.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor window"));
    window.setCentralWidget(new QLabel(QStringLiteral("A minimal Qt Widgets window"), &window));
    window.show();
    return app.exec();
}
