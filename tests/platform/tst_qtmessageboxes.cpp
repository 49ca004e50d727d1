#include "platform/qtmessageboxes.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real boxes, answered by a timer that clicks No once the box is up, so that no test waits on a user.
class TestQtMessageBoxes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsMarkupAsTyped()
    {
        const QString text = QStringLiteral("Reset '<b>Design</b><img src=\"/tmp/x.png\">' timer?");
        Qt::TextFormat format = Qt::AutoText;
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            format = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->textFormat();
            shown = box->text();
            box->button(QMessageBox::No)->click();
        });

        QCOMPARE(QtMessageBoxes().show(MessageBoxStyle::YesNo | MessageBoxStyle::Question,
                                       QStringLiteral("Reset"), text),
                 MessageBoxAnswer::No);
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(shown, text);
    }

    // A box whose text changes while it is open shows the new text; Yes is its default button.
    void changingTextFollows()
    {
        ChangingText text;
        text.setText(QStringLiteral("You were away for 0:05:00"));
        QString shown;
        bool yesIsDefault = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            text.setText(QStringLiteral("You were away for 0:06:00"));
            shown = box->text();
            yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
            box->button(QMessageBox::No)->click();
        });

        QCOMPARE(QtMessageBoxes().showChanging(MessageBoxStyle::YesNo | MessageBoxStyle::Question,
                                               QStringLiteral("Away"), text),
                 MessageBoxAnswer::No);
        QCOMPARE(shown, QStringLiteral("You were away for 0:06:00"));
        QVERIFY(yesIsDefault);
    }
};

QTEST_MAIN(TestQtMessageBoxes)
#include "tst_qtmessageboxes.moc"
