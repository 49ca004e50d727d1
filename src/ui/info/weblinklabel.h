#pragma once

#include <QLabel>

// A label that looks and acts like a web link: blue, underlined, a pointing hand over it, and a click
// signal. The click is the press and the release of the left button both over the label, as with a button,
// so a press that the user drags away does not open anything. Tab reaches it and Space or Enter opens it,
// and screen readers are told it is a link that can be pressed.
class WebLinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit WebLinkLabel(const QString &text, QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
};
