#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QWidget>

// The drawn pieces of the windows, used from their forms. Each paints with QPainter at the
// screen's pixel ratio, so that it is as sharp as the text at any scale.

// Gives screen readers the roles of the drawn controls; each drawn control calls it once built.
void describeDrawnControls();

// The focus mark of a drawn control: a dotted line just inside its edge, in black and white so
// that it shows on any drawing.
void paintFocusMark(QWidget* widget, QPainter& p, qreal inset);

// A drawn control that acts as a button: it takes the focus and emits clicked() on the release
// of an accepted mouse button over it, and on Enter, Return or Space while it has the focus.
class DrawnButton : public QWidget {
    Q_OBJECT

public:
    DrawnButton(Qt::MouseButtons accepted, QWidget* parent);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Qt::MouseButtons m_accepted;
};

// The banner at the top of the main window: the program's name and icon on a gradient.
// Clicked with the left button.
class Banner : public DrawnButton {
    Q_OBJECT

public:
    explicit Banner(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A white strip with a rounded frame, holding one row of controls.
class RoundedStrip : public QFrame {
    Q_OBJECT

public:
    explicit RoundedStrip(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A square of one colour with a thin black border. Clicked with any mouse button.
class ColorSwatch : public DrawnButton {
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::black;
};

// The program's icon, filling the widget's square.
class ProgramIcon : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A stretch of panel whose notification area holds the program's icon.
class TrayPicture : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A drop-down list that shows a long current text shortened in the middle, so that a file name
// keeps its start and its end, and whose width does not follow its longest item.
class ElidingComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ElidingComboBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A text that acts as a link: hand cursor, underlined, in the link colour; clicked() on a
// left-button release over it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void changeEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void followPalette();
};
