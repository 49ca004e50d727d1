#include "support/mainwindowfixture.h"
#include "ui/adjust/overridedialog.h"
#include "ui/dialogfont.h"
#include "ui/info/aboutdialog.h"
#include "ui/info/overviewdialog.h"

#include <cmath>

// Every window reads well. Each label's text, in the program's font, lies across its box of the layout in
// twips and keeps at least a pixel from every other label's text beside it, on a screen at scale 1 and at
// scale 2 (which draws the font at twice the size, whose letters need not be exactly twice as wide). And a
// screen reader hears a name of its own for every control that can take the focus, saying what it is and,
// in the tables, which row.
class TestReadableWindows : public QObject, public MainWindowFixture
{
    Q_OBJECT

    QMap<QString, QWidget *> m_windows;

    // The window's own labels that show a text.
    QList<QLabel *> labels(QWidget *window) const
    {
        QList<QLabel *> shown;
        for (QLabel *label : window->findChildren<QLabel *>())
            if (label->window() == window && !label->text().isEmpty() && label->isVisibleTo(window))
                shown << label;
        return shown;
    }

    // Where a label draws the text across, in the window's logical pixels, over the label's height.
    static QRect textRect(QWidget *window, const QLabel *label, const QString &text, int scale)
    {
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        const QSize size(int(std::ceil(QFontMetricsF(font).horizontalAdvance(text) / scale)),
                         label->contentsRect().height());
        return QStyle::alignedRect(Qt::LeftToRight, label->alignment(), size, label->contentsRect())
            .translated(label->mapTo(window, QPoint()));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setFont(dialogFont());
        reset();
        session->setProjectName(2, "Test");
        open();
        m_windows["main"] = window.get();
        m_windows["adjust"] = new OverrideDialog(true, *session, boxes, window.get());
        m_windows["about"] = new AboutDialog(environment, webOpener, boxes, window.get());
        m_windows["overview"] = new OverviewDialog(environment, boxes, window.get());
    }

    void textFitsItsBox_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text"); // the widest that the label can show
        QTest::addColumn<int>("scale");
        const QMap<QString, QString> widest{{"main lblDate", "Wednesday, September 27"},
                                            {"main lblVersion", "v1.13.10"},
                                            {"main lblTotalTime", " 23:59:59"},
                                            {"about lblVersion", "Version 1.13.10"}};
        for (const int scale : {1, 2})
            for (const char *window : {"main", "adjust", "about"})
                for (const QLabel *label : labels(m_windows[window])) {
                    const QString name = window + (' ' + label->objectName());
                    QTest::addRow("%s at scale %d", qPrintable(name), scale)
                        << QString(window) << label->objectName() << widest.value(name, label->text())
                        << scale;
                }
    }
    void textFitsItsBox()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(int, scale);
        QWidget *shown = m_windows[window];
        auto *measured = shown->findChild<QLabel *>(label);
        const QRect box(measured->mapTo(shown, QPoint()), measured->size());
        const QRect place = textRect(shown, measured, text, scale);
        QVERIFY2(box.contains(place),
                 qPrintable(QDebug::toString(place) + " outside " + QDebug::toString(box)));
        for (const QLabel *other : labels(shown)) {
            const QRect otherPlace = textRect(shown, other, other->text(), scale);
            // Beside it: on the same line, whose boxes may overlap by a pixel from one line to the next.
            const int middle = place.center().y();
            if (other == measured || middle < otherPlace.top() || middle > otherPlace.bottom())
                continue;
            QVERIFY2(!place.adjusted(-1, 0, 1, 0).intersects(otherPlace),
                     qPrintable("touches " + other->objectName() + " at " + QDebug::toString(otherPlace)));
        }
    }

    // clang-format off
    void everyControlHasItsOwnName_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("controls");
        QTest::addColumn<QStringList>("rowNames"); // object name, then the name a screen reader hears
        // User's name, 8 x (name, option, daily, total), Start.
        QTest::newRow("main window") << "main" << 34 << QStringList{"txtProjName2", "Project 3 name",
            "optActive2", "Project 3 active", "txtTime2", "Project 3 daily time", "txtTotalTime7",
            "Project 8 total time"};
        // OK, Cancel, 8 x (hours, minutes, seconds, Reset).
        QTest::newRow("Adjust dialog") << "adjust" << 34 << QStringList{"txtHr2", "Project 3 hours",
            "txtMin0", "Project 1 minutes", "txtSec7", "Project 8 seconds", "cmdReset2", "Reset project 3"};
        QTest::newRow("Overview") << "overview" << 2 << QStringList();
        QTest::newRow("About") << "about" << 2 << QStringList();
    }
    // clang-format on
    void everyControlHasItsOwnName()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, rowNames);
        QWidget *shown = m_windows[window];
        QSet<QString> heard;
        for (QWidget *control : shown->findChildren<QWidget *>()) {
            if (control->window() != shown || control->focusPolicy() == Qt::NoFocus)
                continue;
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName() + " has no name"));
            QVERIFY2(!heard.contains(name), qPrintable("two controls are called " + name));
            heard.insert(name);
        }
        QTEST(int(heard.size()), "controls");
        for (qsizetype i = 0; i < rowNames.size(); i += 2)
            QCOMPARE(shown->findChild<QWidget *>(rowNames[i])->accessibleName(), rowNames[i + 1]);
    }
};

QTEST_MAIN(TestReadableWindows)
#include "tst_readablewindows.moc"
