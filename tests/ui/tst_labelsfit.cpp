#include "support/mainwindowfixture.h"
#include "ui/adjust/overridedialog.h"
#include "ui/dialogfont.h"
#include "ui/info/aboutdialog.h"

#include <QLabel>
#include <QStyle>

#include <cmath>
#include <memory>

// Every label's text, in the program's font, lies across its box of the layout in twips and keeps at least
// a pixel from every other label's text beside it, on a screen at scale 1 and at scale 2. A screen at scale
// 2 draws the font at twice the size, whose letters need not be exactly twice as wide.
class TestLabelsFit : public QObject, public MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setFont(dialogFont());
        reset();
        open();
        m_windows[QStringLiteral("main")] = window.get();
        m_windows[QStringLiteral("adjust")] = new OverrideDialog(false, *session, boxes, window.get());
        m_windows[QStringLiteral("about")] = new AboutDialog(environment, webOpener, boxes, window.get());
    }

    void textFitsItsBox_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        // The text to try instead of the label's own: the widest it can show.
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("scale");
        const QList<std::array<const char *, 3>> labels = {
            {"main", "lblStatic0", ""},         {"main", "lblStatic1", ""},
            {"main", "lblStatic2", ""},         {"main", "lblStatic3", ""},
            {"main", "lblStatic5", ""},         {"main", "lblDate", "Wednesday, September 27"},
            {"main", "lblVersion", "v1.13.10"}, {"main", "lblTotalTime", " 23:59:59"},
            {"adjust", "lblStatic16", ""},      {"adjust", "lblStatic17", ""},
            {"adjust", "lblStatic18", ""},      {"adjust", "lblStatic19", ""},
            {"adjust", "lblStatic0", ""},       {"adjust", "lblStatic8", ""},
            {"about", "lblTitle", ""},          {"about", "lblVersion", "Version 1.13.10"},
            {"about", "lblStatic2", ""},        {"about", "lblStatic3", ""},
            {"about", "lblStatic4", ""},        {"about", "lblStatic6", ""},
            {"about", "lblStatic7", ""},        {"about", "lblWebsite", ""},
        };
        for (const int scale : {1, 2})
            for (const auto &[window, label, text] : labels)
                QTest::addRow("%s %s at scale %d", window, label, scale)
                    << QString::fromLatin1(window) << QString::fromLatin1(label) << QString::fromUtf8(text)
                    << scale;
    }

    void textFitsItsBox()
    {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(int, scale);
        QWidget *shown = m_windows.value(window);
        auto *measured = shown->findChild<QLabel *>(label);
        QVERIFY(measured != nullptr);
        const QRect box(measured->mapTo(shown, QPoint()), measured->size());
        const QRect place = textRect(shown, measured, text.isEmpty() ? measured->text() : text, scale);
        QVERIFY2(box.contains(place),
                 qPrintable(describe(place) + QLatin1String(" outside ") + describe(box)));
        for (const QLabel *other : shown->findChildren<QLabel *>()) {
            if (other == measured || other->text().isEmpty() || !other->isVisibleTo(shown))
                continue;
            const QRect otherPlace = textRect(shown, other, other->text(), scale);
            // Beside it: on the same line, whose boxes may overlap by a pixel from one line to the next.
            const int middle = place.center().y();
            if (middle < otherPlace.top() || middle > otherPlace.bottom())
                continue;
            QVERIFY2(
                !place.adjusted(-1, 0, 1, 0).intersects(otherPlace),
                qPrintable(QStringLiteral("touches %1 at ").arg(other->objectName()) + describe(otherPlace)));
        }
    }

private:
    // Where a label draws the text across, in the window's logical pixels, over the label's height.
    static QRect textRect(QWidget *window, const QLabel *label, const QString &text, int scale)
    {
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        const QSize size(int(std::ceil(QFontMetricsF(font).horizontalAdvance(text) / scale)),
                         label->contentsRect().height());
        const QRect inLabel =
            QStyle::alignedRect(Qt::LeftToRight, label->alignment(), size, label->contentsRect());
        return inLabel.translated(label->mapTo(window, QPoint()));
    }

    static QString describe(const QRect &rect)
    {
        return QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
    }

    QMap<QString, QWidget *> m_windows;
};

QTEST_MAIN(TestLabelsFit)
#include "tst_labelsfit.moc"
