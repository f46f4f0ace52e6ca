#pragma once

#include "app/platform/UserDialogs.h"

// The real dialogs: Qt's message boxes, file chooser and colour chooser.
class UserDialogsQt : public UserDialogs {
public:
    void showError(QWidget* parent, const QString& text) override;
    void showInformation(QWidget* parent, const QString& caption, const QString& text) override;
    QStringList openFiles(QWidget* parent, const QString& filter, int filterIndex,
                          const QString& startFolder) override;
    std::optional<QColor> chooseColor(QWidget* parent, QColor initial) override;
    int execModal(QDialog& dialog) override;

    // "Desc|pat;pat;|Desc|pat;" into Qt's "Desc (pat pat)" filters.
    static QStringList qtFilters(const QString& filter);
};
