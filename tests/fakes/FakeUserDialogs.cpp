#include "fakes/FakeUserDialogs.h"

QStringList FakeUserDialogs::openFiles(QWidget*, const QString& filter, int filterIndex,
                                       const QString& startFolder) {
    lastFilter = filter;
    lastFilterIndex = filterIndex;
    lastStartFolder = startFolder;
    return nextFiles;
}

std::optional<QColor> FakeUserDialogs::chooseColor(QWidget*, QColor initial) {
    lastInitialColor = initial;
    return nextColor;
}

int FakeUserDialogs::execModal(QDialog& dialog) {
    modalsShown.append(dialog.objectName());
    dialog.setResult(QDialog::Rejected);
    if (onModal)
        onModal(dialog);
    return dialog.result();
}
