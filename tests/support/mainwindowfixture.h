#pragma once

#include "support/fakeclock.h"
#include "support/fakeenvironment.h"
#include "support/fakemessageboxes.h"
#include "support/fakewebopener.h"
#include "ui/main/mainwindow.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

// A main window over fakes, in a temporary program folder that is also the documents folder; the test
// moves the clock and ticks by hand.
class MainWindowFixture
{
public:
    QTemporaryDir folder;
    FakeClock clock;
    FakeMessageBoxes boxes;
    FakeEnvironment environment;
    FakeWebOpener webOpener;
    std::unique_ptr<MainWindow> window;

    // Creates and loads the window; the exit question is answered Yes when it closes.
    void open()
    {
        QLocale::setDefault(QLocale::c());
        environment.program = folder.path();
        environment.documents = folder.path();
        window = std::make_unique<MainWindow>(PlatformServices{&clock, &boxes, &environment, &webOpener});
        QVERIFY(window->Form_Load());
        window->findChild<QTimer *>(QStringLiteral("tmrOneSecond"))->stop();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void close()
    {
        boxes.answers = {MessageBoxAnswer::Yes};
        window.reset();
    }

    void tick()
    {
        QTimer *timer = window->findChild<QTimer *>(QStringLiteral("tmrOneSecond"));
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
    }

    void advanceAndTick(double seconds)
    {
        clock.advance(seconds);
        tick();
    }

    QLineEdit *field(const QString &name) const { return child<QLineEdit>(name); }
    QLabel *label(const QString &name) const { return child<QLabel>(name); }
    QAction *action(const QString &name) const { return child<QAction>(name); }
    QPushButton *startStop() const { return child<QPushButton>(QStringLiteral("cmdStartStop")); }
    QRadioButton *option(int row) const { return child<QRadioButton>(QStringLiteral("optActive%1").arg(row)); }

    template<typename T>
    T *child(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }
};
