#pragma once

#include "core/sessionmodel.h"
#include "support/fakeclock.h"
#include "support/fakeenvironment.h"
#include "support/fakemessageboxes.h"
#include "support/fakepresencesource.h"
#include "support/fakespreadsheetserver.h"
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
// moves the clock and ticks by hand. Window tests derive from it to reach the controls by name.
class MainWindowFixture
{
public:
    FakeClock clock;
    FakeMessageBoxes boxes;
    FakeEnvironment environment;
    FakeWebOpener webOpener;
    FakeSpreadsheetServer spreadsheetServer;
    FakePresenceSource presence;
    std::unique_ptr<SessionModel> session;
    std::unique_ptr<MainWindow> window;

    // Starts a test afresh: a new program folder, a new clock, no boxes shown yet.
    void reset()
    {
        window.reset();
        session = std::make_unique<SessionModel>();
        m_folder = std::make_unique<QTemporaryDir>();
        clock = FakeClock();
        boxes = FakeMessageBoxes();
        spreadsheetServer = FakeSpreadsheetServer();
        webOpener = FakeWebOpener();
        environment.program = m_folder->path();
        environment.documents = m_folder->path();
    }

    QString folderPath() const { return m_folder->path(); }
    QString rescuePath() const { return folderPath() + QLatin1String("/data/projlist.rescued.dat"); }

    PlatformServices services()
    {
        return {&clock, &boxes, &environment, &webOpener, &spreadsheetServer, &presence};
    }

    // Creates and loads the window; the test ticks by hand.
    void open()
    {
        QLocale::setDefault(QLocale::c());
        window = std::make_unique<MainWindow>(*session, folderPath() + QLatin1String("/projlist.dat"),
                                              rescuePath(), services());
        window->Form_Load();
        child<QTimer>(QStringLiteral("tmrOneSecond"))->stop();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    // Closes the window as the user does, answering Yes to the exit question.
    void close()
    {
        boxes.answers = {MessageBoxAnswer::Yes};
        window->close();
        window.reset();
    }

    void tick()
    {
        QVERIFY(QMetaObject::invokeMethod(child<QTimer>(QStringLiteral("tmrOneSecond")), "timeout"));
    }

    void advanceAndTick(double seconds, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            clock.advance(seconds);
            tick();
        }
    }

    // The boxes shown so far, each as "style title: text".
    QStringList shownBoxes() const
    {
        QStringList list;
        for (const FakeMessageBoxes::Shown &box : boxes.shown)
            list << QStringLiteral("%1 %2: %3").arg(box.style).arg(box.title, box.text);
        return list;
    }

    void clickStartStop() { QTest::mouseClick(startStop(), Qt::LeftButton); }

    QLineEdit *field(const QString &name) const { return child<QLineEdit>(name); }
    // The text that a field or a label shows.
    QString text(const QString &name) const
    {
        if (auto *edit = window->findChild<QLineEdit *>(name))
            return edit->text();
        return child<QLabel>(name)->text();
    }
    QLabel *label(const QString &name) const { return child<QLabel>(name); }
    QAction *action(const QString &name) const { return child<QAction>(name); }
    QPushButton *startStop() const { return child<QPushButton>(QStringLiteral("cmdStartStop")); }
    QRadioButton *option(int row) const
    {
        return child<QRadioButton>(QStringLiteral("optActive%1").arg(row));
    }

    template<typename T> T *child(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no child %s", qPrintable(name));
        return found;
    }

    // Bytes of a file in the program folder; empty when it cannot be read.
    QByteArray fileBytes(const QString &name) const
    {
        QFile file(folderPath() + QLatin1Char('/') + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(folderPath() + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};
