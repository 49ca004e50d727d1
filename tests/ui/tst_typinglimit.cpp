#include "ui/typinglimit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

// Pasting into a box that takes at most six characters: the paste goes in where the cursor or the selection
// is, and as much of it as fits, as in a native edit control.
class TestTypingLimit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pasteKeepsWhatFits_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("selectionStart");
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("cursor");

        QTest::newRow("at the end") << "abc" << 3 << 0 << "123456"
                                    << "abc123" << 6;
        QTest::newRow("over a selection") << "abcdef" << 2 << 2 << "123456"
                                          << "ab12ef" << 4;
        QTest::newRow("into a full box") << "abcdef" << 3 << 0 << "1"
                                         << "abcdef" << 3;
        QTest::newRow("cut inside a character") << "abcd" << 4 << 0 << "x\U0001F600"
                                                << "abcdx" << 5;
    }
    void pasteKeepsWhatFits()
    {
        QFETCH(QString, before);
        QFETCH(int, selectionStart);
        QFETCH(int, selectionLength);
        QFETCH(QString, pasted);
        QLineEdit box;
        new TypingLimit(6, &box);
        box.setText(before);
        box.setSelection(selectionStart, selectionLength);
        QApplication::clipboard()->setText(pasted);

        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        QTEST(box.text(), "after");
        QTEST(box.cursorPosition(), "cursor");
    }
};

QTEST_MAIN(TestTypingLimit)
#include "tst_typinglimit.moc"
