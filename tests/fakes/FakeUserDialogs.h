#pragma once

#include "app/platform/UserDialogs.h"

#include <QDialog>

#include <functional>

// Scripted answers: nothing blocks. Each question is recorded.
class FakeUserDialogs : public UserDialogs {
public:
    void showError(QWidget*, const QString& text) override { errors.append(text); }
    void showInformation(QWidget*, const QString& caption, const QString& text) override {
        informations.append(caption + u'|' + text);
    }
    QStringList openFiles(QWidget*, const QString& filter, int filterIndex,
                          const QString& startFolder) override;
    std::optional<QColor> chooseColor(QWidget*, QColor initial) override;
    int execModal(QDialog& dialog) override;

    QStringList errors;
    QStringList informations;
    // The next answer of the file chooser (empty: cancelled) and what it was asked.
    QStringList nextFiles;
    QString lastFilter;
    int lastFilterIndex = 0;
    QString lastStartFolder;
    // The next answer of the colour chooser.
    std::optional<QColor> nextColor;
    QColor lastInitialColor;
    // Plays the user's part in a modal dialog; without it the dialog is rejected.
    std::function<void(QDialog&)> onModal;
    QStringList modalsShown; // object names
};
