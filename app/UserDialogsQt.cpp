#include "app/UserDialogsQt.h"

#include "app/FormParts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

void UserDialogsQt::showError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Tessary"), text, QMessageBox::Ok,
                    parent && parent->isVisible() ? parent : nullptr);
    box.exec();
}

void UserDialogsQt::showInformation(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    FormParts::paintWhite(&box);
    box.exec();
}

QStringList UserDialogsQt::qtFilters(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        QString description = parts[i];
        const qsizetype paren = description.indexOf(u'(');
        if (paren > 0)
            description = description.left(paren).trimmed();
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(u' ')));
    }
    return filters;
}

namespace {

// The shell path of My Computer, as the start folder names it. Windows' chooser opens that
// folder by its known-folder id; other systems have no such folder, and the home folder
// stands in.
const QString MyComputer = QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
#ifdef Q_OS_WIN
const QUrl ComputerFolder(QStringLiteral("clsid:0AC0837C-BBF8-452A-850D-79D08E667CA7"));
#else
const QUrl ComputerFolder;
#endif

// Qt's chooser warns about a single typed name that does not exist but silently drops one of
// several typed in quotes: every typed name must exist before the chooser closes.
class ExistingFilesDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        // Names in quotes, as several are typed; a single name Qt checks itself.
        const QStringList parts = edit ? edit->text().split(u'"') : QStringList();
        for (qsizetype i = 1; i < parts.size(); i += 2) {
            const QFileInfo file(directory(), parts[i]);
            if (!file.exists()) {
                QMessageBox::warning(this, windowTitle(),
                                     QStringLiteral("%1\nFile not found.\nPlease verify the "
                                                    "correct file name was given.")
                                         .arg(file.fileName()));
                return;
            }
        }
        QFileDialog::accept();
    }
};

} // namespace

QStringList UserDialogsQt::openFiles(QWidget* parent, const QString& filter, int filterIndex,
                                     const QString& startFolder) {
    ExistingFilesDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    const QStringList filters = qtFilters(filter);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(filterIndex - 1));
    if (QDir(startFolder).exists())
        dialog.setDirectory(startFolder);
    else if (startFolder.compare(MyComputer, Qt::CaseInsensitive) == 0 && ComputerFolder.isValid())
        dialog.setDirectoryUrl(ComputerFolder);
    else
        dialog.setDirectory(QDir::homePath());
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<QColor> UserDialogsQt::chooseColor(QWidget* parent, QColor initial) {
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

int UserDialogsQt::execModal(QDialog& dialog) {
    return dialog.exec();
}
