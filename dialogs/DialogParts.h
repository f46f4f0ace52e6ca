#pragma once

#include <QFont>
#include <QLabel>

class QWidget;

// What the two small dialogs share: their face, their white client area, their bare frame.
namespace DialogParts {
// "Trebuchet MS" at the given size, with look-alike faces where it is not installed.
QFont trebuchet(int points = 8);
// The system's default face, bold, for titles.
QFont boldDefault(int points = 8);
void paintWhite(QWidget* widget);
// Where a wider substitute face is in use, shrinks the widget's font until the widget ends
// left of right.
void fitWidth(QWidget* widget, int right);
// A dialog frame with a caption but no title-bar buttons (no system menu, no close box).
Qt::WindowFlags bareDialogFlags();
} // namespace DialogParts

// A text that acts as a link: hand cursor, underlined, in the link colour; clicked() on a
// left-button release over it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
