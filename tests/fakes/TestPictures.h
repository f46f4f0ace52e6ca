#pragma once

#include <QAction>
#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

// A small BMP picture of one colour, written for a test; returns its full path.
inline QString writeTestPicture(const QString& folder, const QString& name, QSize size,
                                QColor color = QColor(40, 90, 160)) {
    QImage image(size, QImage::Format_RGB888);
    image.fill(color);
    const QString path = folder + u'/' + name;
    if (!image.save(path, "BMP"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Whether a control of the main window, a widget or a menu item, is enabled.
inline bool isControlEnabled(QObject* control) {
    if (auto* widget = qobject_cast<QWidget*>(control))
        return widget->isEnabled();
    return qobject_cast<QAction*>(control)->isEnabled();
}
