#include "app/FormParts.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPalette>
#include <QTimer>

namespace {

class DialogKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = static_cast<QWidget*>(watched);
        const Qt::WindowStates away =
            Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
        if (event->type() == QEvent::WindowStateChange && (dialog->windowState() & away)) {
            // After the window manager has finished its own change, not in the middle of it.
            QTimer::singleShot(0, dialog, [dialog] {
                dialog->setWindowState(Qt::WindowNoState);
                FormParts::bringForward(dialog);
            });
        }
        return false;
    }
};

} // namespace

QFont FormParts::trebuchet(int points, bool bold) {
    QFont font;
    // Faces of about the same width first: the layouts are measured for the narrow original.
    font.setFamilies({QStringLiteral("Trebuchet MS"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QFont FormParts::boldDefault(int points) {
    QFont font = QApplication::font();
    font.setPointSize(points);
    font.setBold(true);
    return font;
}

void FormParts::fitWidth(QWidget* widget, int right) {
    QFont font = widget->font();
    while (widget->x() + widget->sizeHint().width() > right && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        widget->setFont(font);
    }
    widget->adjustSize();
}

void FormParts::paintWhite(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, Qt::white);
    widget->setPalette(pal);
}

QLabel* FormParts::textLabel(QWidget* parent, const QString& name, const QString& text, int left,
                             int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(trebuchet());
    label->move(left, top);
    label->adjustSize();
    return label;
}

Qt::WindowFlags FormParts::bareDialogFlags() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

void FormParts::bringForward(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void FormParts::keepDialogInView(QDialog* dialog) {
    dialog->setWindowModality(Qt::WindowModal);
    dialog->installEventFilter(new DialogKeeper(dialog));
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    QFont f = FormParts::trebuchet();
    f.setUnderline(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
    setPalette(pal);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
