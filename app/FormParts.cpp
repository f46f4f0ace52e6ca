#include "app/FormParts.h"

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLayout>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The size the forms are drawn for.
constexpr double FormPoints = 8;

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

class EnterPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain =
            key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if (!plain || (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
            return false;
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

int scaled(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

double FormParts::fontScale(double desktopPoints) {
    if (!(desktopPoints > 0))
        return 1;
    return desktopPoints < 9 ? desktopPoints / 9 : std::max(1.0, desktopPoints / 10);
}

double FormParts::desktopFontScale() {
    const QFont font = QApplication::font();
    return fontScale(font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF());
}

void FormParts::fitToDesktopFont(QWidget* window) {
    const double scale = desktopFontScale();
    QFont base = QApplication::font();
    base.setPointSizeF(FormPoints * scale);
    window->setFont(base);
    const auto widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (const QVariant points = w->property("fontPoints"); points.isValid()) {
            QFont f = w->font();
            f.setPointSizeF(points.toDouble() * scale);
            w->setFont(f);
        }
        if (scale != 1) {
            w->setMinimumSize(scaled(w->minimumWidth(), scale), scaled(w->minimumHeight(), scale));
            const QSize most = w->maximumSize();
            w->setMaximumSize(
                most.width() < QWIDGETSIZE_MAX ? scaled(most.width(), scale) : QWIDGETSIZE_MAX,
                most.height() < QWIDGETSIZE_MAX ? scaled(most.height(), scale) : QWIDGETSIZE_MAX);
        }
        // A button keeps the form's width unless its text needs more, as wide as its text and
        // half a line on each side.
        if (auto* button = qobject_cast<QPushButton*>(w); button && button->minimumWidth() > 0) {
            const QFontMetrics metrics(button->font());
            button->setFixedWidth(
                std::max(button->minimumWidth(),
                         metrics.horizontalAdvance(button->text()) + metrics.height()));
        }
        if (const QVariant text = w->property("fitText"); text.isValid())
            w->setMinimumWidth(std::max(w->minimumWidth(),
                                        QFontMetrics(w->font()).horizontalAdvance(text.toString()) +
                                            2 * scaled(1, scale)));
    }
    if (scale != 1)
        for (QLayout* layout : window->findChildren<QLayout*>()) {
            const QMargins m = layout->contentsMargins();
            layout->setContentsMargins(scaled(m.left(), scale), scaled(m.top(), scale),
                                       scaled(m.right(), scale), scaled(m.bottom(), scale));
            if (layout->spacing() > 0)
                layout->setSpacing(scaled(layout->spacing(), scale));
        }
    // A form's minimum size on a widget with a layout would win over what its controls need:
    // grow it to that, innermost first.
    for (auto it = widgets.crbegin(); it != widgets.crend(); ++it)
        if (QLayout* layout = (*it)->layout(); layout && (*it)->minimumSize() != QSize(0, 0))
            (*it)->setMinimumSize((*it)->minimumSize().expandedTo(layout->totalMinimumSize()));
}

QSize FormParts::settledSize(QWidget* window, QSize usual) {
    const double scale = desktopFontScale();
    // The window manager's caption: about the application font in bold, beside an icon and up
    // to three buttons about as wide as the title bar is high.
    QFont caption = QApplication::font();
    caption.setBold(true);
    const QFontMetrics metrics(caption);
    const int titleWidth =
        metrics.horizontalAdvance(window->windowTitle()) + 4 * metrics.height() + 24;
    QSize size(scaled(usual.width(), scale), scaled(usual.height(), scale));
    size = size.expandedTo(window->minimumSizeHint());
    size.setWidth(std::max(size.width(), titleWidth));
    return size;
}

void FormParts::paintWhite(QWidget* widget) {
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Window, Qt::white);
        pal.setColor(group, QPalette::WindowText, Qt::black);
    }
    pal.setColor(QPalette::Disabled, QPalette::Window, Qt::white);
    // The darkest grey that still reads as inactive, at 4.5:1 on white.
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x76, 0x76, 0x76));
    // A dark scheme's link colour is made for a dark background.
    const QColor link = pal.color(QPalette::Link);
    if (contrastRatio(link, Qt::white) < 4.5)
        pal.setColor(QPalette::Link, QColor(0x00, 0x66, 0xcc));
    widget->setPalette(pal);
}

double FormParts::contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Qt::WindowFlags FormParts::bareDialogFlags() {
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
}

void FormParts::pressButtonsOnEnter(QWidget* window) {
    auto* filter = new EnterPresses(window);
    for (QPushButton* button : window->findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

void FormParts::setUpDialog(QDialog* dialog) {
    dialog->setWindowFlags(bareDialogFlags());
    pressButtonsOnEnter(dialog);
    keepDialogInView(dialog);
    paintWhite(dialog);
    fitToDesktopFont(dialog);
    dialog->setFixedSize(settledSize(dialog, dialog->size()));
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
