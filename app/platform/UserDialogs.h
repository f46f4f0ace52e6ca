#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QWidget;

// The modal parts of the program: message boxes, the file chooser, the colour chooser and
// showing a dialog modally. Tests answer them with scripted replies so that nothing blocks.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // An error text in a message box; returns when the user has dismissed it.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // An information box with one "OK" button, centred on parent, white background.
    virtual void showInformation(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Picture files chosen by the user, in the chooser's order; empty when cancelled.
    // filter uses the "Description|pattern;pattern|..." form; filterIndex counts from 1.
    virtual QStringList openFiles(QWidget* parent, const QString& filter, int filterIndex,
                                  const QString& startFolder) = 0;
    // The colour chosen by the user, or nothing when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, QColor initial) = 0;
    // Shows the dialog modally and returns its result code.
    virtual int execModal(QDialog& dialog) = 0;
};
