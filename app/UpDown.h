#pragma once

#include <QWidget>

class QToolButton;

// Horizontal up-down arrows: the left arrow lowers the position by one, the right raises it,
// within minimum and maximum and without wrapping. clicked() follows every press, after the
// position has moved; setting the position from the program emits nothing.
class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    int position() const { return m_position; }
    void setPosition(int position);
    int maximum() const { return m_maximum; }
    void setMaximum(int maximum);
    int minimum() const { return 0; }

    QToolButton* leftArrow() const { return m_left; }
    QToolButton* rightArrow() const { return m_right; }

Q_SIGNALS:
    void clicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);
    QToolButton* m_left;
    QToolButton* m_right;
    int m_position = 0;
    int m_maximum = 0;
};
