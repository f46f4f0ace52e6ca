#pragma once

#include <QFont>
#include <QLabel>
#include <QString>

class QDialog;
class QWidget;

// What the windows share: their face, their white client area, their bare dialog frame.
namespace FormParts {
// "Trebuchet MS" at the given size, with look-alike faces where it is not installed.
QFont trebuchet(int points = 8, bool bold = false);
// The system's default face, bold, for titles.
QFont boldDefault(int points = 8);
void paintWhite(QWidget* widget);
// Where a wider substitute face is in use, shrinks the widget's font until the widget ends
// left of right.
void fitWidth(QWidget* widget, int right);
// A new child at a fixed place, named so that tests can find it.
template <typename W>
W* placed(QWidget* parent, const QString& name, int left, int top, int width, int height) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}
// A label in the usual face, sized to its text.
QLabel* textLabel(QWidget* parent, const QString& name, const QString& text, int left, int top);
// A dialog frame with a caption but no title-bar buttons (no system menu, no close box).
Qt::WindowFlags bareDialogFlags();
// Shows a window, restores it when minimised, and puts it in front.
void bringForward(QWidget* window);
// Makes a dialog modal to its owner window only, so that the notification area and its menu
// keep working while it is open, and undoes a minimise or maximise that a window manager
// grants although the dialog offers neither: a minimised modal dialog could not be found again.
void keepDialogInView(QDialog* dialog);
} // namespace FormParts

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
