#include "core/sessionmodel.h"

#include <QSignalSpy>
#include <QtTest>

// The timing session over values: readings are handed in, texts read back as the window shows them.
class TestSessionModel : public QObject
{
    Q_OBJECT

    using Column = SessionModel::TimeColumn;

    static QStringList rowTexts(const SessionModel &model, int row)
    {
        return {model.projectName(row), model.shown(Column::Daily, row).text,
                model.shown(Column::Total, row).text};
    }

private Q_SLOTS:
    void startsAsTheWindowIsLaidOut()
    {
        SessionModel model;
        QCOMPARE(model.caption(), QStringLiteral("Morvane Tallywick (stopped)"));
        QCOMPARE(model.userName(), QStringLiteral("User's name"));
        QCOMPARE(rowTexts(model, 0), QStringList({"Project 1", "0:00:00", "0:00:00"}));
        QCOMPARE(rowTexts(model, 7), QStringList({"", "0:00:00", "0:00:00"}));
        QCOMPARE(model.shownDailySum().text, QStringLiteral(" 0:00:00"));
        QCOMPARE(model.activeRow(), 0);
    }

    // Spans below a second wait; each accrual adds the whole span to the active row only, and the caption
    // shows today's time of that row, not its total.
    void accruesWholeSpansToTheActiveRow()
    {
        SessionModel model;
        model.setAndShowCount(Column::Total, 0, 3600);
        model.setProjectName(2, QStringLiteral("Design"));
        model.start(100.0);
        QCOMPARE(model.caption(), QStringLiteral("Vorn (running)"));
        QVERIFY(!model.accrue(100.9));
        QVERIFY(model.accrue(101.4));
        QVERIFY(model.accrue(102.8));
        QCOMPARE(model.count(Column::Daily, 0), 2.8f);
        QCOMPARE(rowTexts(model, 0), QStringList({"Project 1", " 0:00:03", " 1:00:03"}));
        QCOMPARE(model.caption(), QStringLiteral("Vorn (Project 1,  0:00:03)"));

        model.chooseRow(2);
        QVERIFY(model.accrue(202.8));
        QCOMPARE(rowTexts(model, 0), QStringList({"Project 1", " 0:00:03", " 1:00:03"}));
        QCOMPARE(rowTexts(model, 2), QStringList({"Design", " 0:01:40", " 0:01:40"}));
        QCOMPARE(model.shownDailySum().text, QStringLiteral(" 0:01:43"));
        QCOMPARE(model.caption(), QStringLiteral("Vorn (Design,  0:01:40)"));

        model.stop();
        QCOMPARE(model.caption(), QStringLiteral("Morvane Tallywick (stopped)"));
        QVERIFY(!model.accrue(500.0));
        QCOMPARE(model.count(Column::Total, 2), 100.0);
    }

    void startNeedsAUserName()
    {
        SessionModel model;
        QSignalSpy running(&model, &SessionModel::runningChanged);
        model.setUserName(QString());
        QVERIFY(!model.canStart());
        model.start(0.0);
        QVERIFY(!model.isRunning());
        model.setUserName(QStringLiteral("Ann"));
        model.start(0.0);
        model.start(5.0);
        model.stop();
        model.stop();
        QCOMPARE(running.size(), 2);
    }

    // Choosing a row names it when empty; choosing the active row again changes nothing else.
    void choosingARowNamesItWhenEmpty()
    {
        SessionModel model;
        QSignalSpy active(&model, &SessionModel::activeRowChanged);
        QSignalSpy names(&model, &SessionModel::projectNameChanged);
        model.chooseRow(4);
        model.chooseRow(4);
        model.setProjectName(4, QString());
        model.chooseRow(4);
        model.chooseRow(8);
        model.chooseRow(-1);
        QCOMPARE(active.size(), 1);
        QCOMPARE(names.size(), 3);
        QCOMPARE(model.projectName(4), QStringLiteral("Project 5"));
        QCOMPARE(model.activeRow(), 4);
    }

    // One signal per change: an accrual that moves only the active row's texts announces that row alone.
    void accrualSignalsOncePerChange()
    {
        SessionModel model;
        model.start(0.0);
        QVERIFY(model.accrue(1.0));
        QSignalSpy rows(&model, &SessionModel::rowShown);
        QSignalSpy sum(&model, &SessionModel::dailySumShown);
        QSignalSpy caption(&model, &SessionModel::captionChanged);
        QSignalSpy accrued(&model, &SessionModel::accrued);
        QVERIFY(model.accrue(2.5));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.first().first().toInt(), 0);
        QCOMPARE(sum.size(), 1);
        QCOMPARE(caption.size(), 1);
        QCOMPARE(accrued.first().first().toDouble(), 1.5);
    }

    // The Adjust dialog's OK shows a row at once while the daily sum waits for the next accrual; its Reset
    // changes the count alone.
    void adjustingShowsTheRowButNotTheSum()
    {
        SessionModel model;
        model.setAndShowCount(Column::Daily, 1, 600);
        model.setCount(Column::Total, 1, 900);
        QCOMPARE(model.shown(Column::Daily, 1).text, QStringLiteral(" 0:10:00"));
        QCOMPARE(model.shown(Column::Total, 1).text, QStringLiteral("0:00:00"));
        QCOMPARE(model.shownDailySum().text, QStringLiteral(" 0:00:00"));
        model.start(0.0);
        QVERIFY(model.accrue(1.0));
        QCOMPARE(model.shownDailySum().text, QStringLiteral(" 0:10:01"));
        QCOMPARE(model.shown(Column::Total, 1).text, QStringLiteral(" 0:15:00"));
    }
};

QTEST_GUILESS_MAIN(TestSessionModel)
#include "tst_sessionmodel.moc"
