// The floor for the startup benchmark: the least a Qt Widgets program does to show a main window. It has
// a label and nothing else; whatever Tallywick needs beyond it shows up as the difference.
//
// With --second it also shows a change every second as Tallywick does while timing, with nothing else:
// the texts of two read-only line edits and a label, and the window's caption.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor window"));
    if (!app.arguments().contains(QStringLiteral("--second"))) {
        window.setCentralWidget(new QLabel(QStringLiteral("A minimal Qt Widgets window"), &window));
        window.show();
        return app.exec();
    }
    auto *client = new QWidget(&window);
    window.setCentralWidget(client);
    QLineEdit *boxes[2];
    for (int i = 0; i < 2; ++i) {
        boxes[i] = new QLineEdit(client);
        boxes[i]->setGeometry(10 + 70 * i, 10, 57, 19);
        boxes[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        boxes[i]->setReadOnly(true);
    }
    auto *sum = new QLabel(client);
    sum->setGeometry(10, 40, 137, 25);
    client->setMinimumSize(160, 75);
    int seconds = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        ++seconds;
        const QString text = QStringLiteral(" %1:%2:%3")
                                 .arg(seconds / 3600)
                                 .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                 .arg(seconds % 60, 2, 10, QLatin1Char('0'));
        for (QLineEdit *box : boxes)
            box->setText(text);
        sum->setText(text);
        window.setWindowTitle(QStringLiteral("Floor window (") + text + QLatin1Char(')'));
    });
    timer.start(1000);
    window.show();
    return app.exec();
}
