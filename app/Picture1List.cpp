// The picture list: images.db, the drop-down box, the empty and non-empty states, and the
// user's commands on the list.
#include "app/Picture1.h"

#include "app/PreviewImage.h"
#include "app/UpDown.h"
#include "app/platform/Platform.h"
#include "app/platform/UserDialogs.h"
#include "imagelist/ImagesDb.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

QString TForm1::ImagesDbPath() {
    return m_platform.dataFolder() + QStringLiteral("/images.db");
}

void TForm1::LoadImagedb() {
    bool cutAtNul = false;
    ImageList.assign(readImagesDb(ImagesDbPath(), &cutAtNul));
    if (cutAtNul) {
        m_listCutAtNul = ImageList.entries();
        m_dialogs.showError(this, QStringLiteral("The picture list \"%1\" holds a NUL byte after "
                                                 "%2 entries: the rest of the file was not read. "
                                                 "The file is kept as it is unless you change "
                                                 "the list.")
                                      .arg(ImagesDbPath())
                                      .arg(ImageList.count()));
    }
    if (ImageList.isEmpty())
        return;
    Update_ComboBox();
    CurrentIndex = 0;
    ComboBox1->setCurrentIndex(0);
    // A first picture that cannot be shown (moved, damaged) is reported and the program starts
    // with it selected and no preview, so that the user can remove it.
    runGuarded([this] { ApplyImage(ImageList.at(0)); });
    EnterNonEmptyState();
}

void TForm1::Update_ComboBox() {
    ComboBox1->clear();
    QStringList names;
    names.reserve(ImageList.count());
    for (const QString& path : ImageList.entries())
        names.append(fileNamePart(path));
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(-1);
}

void TForm1::EnterNonEmptyState() {
    for (QObject* control : {static_cast<QObject*>(Button3), static_cast<QObject*>(Button4),
                             static_cast<QObject*>(Button5)})
        qobject_cast<QWidget*>(control)->setEnabled(true);
    for (QAction* item :
         {RemovePicture1, ClearAll1, Start1, SetAsWallpaper1, Next1, PreviousPicture1})
        item->setEnabled(true);
    Label9->setVisible(preview.isNull());
    UpDown2->setMaximum(static_cast<int>(ImageList.count()));
    UpDown2->setPosition(CurrentIndex);
    UpDown2->setEnabled(true);
}

void TForm1::Reset() {
    ImageList.clear();
    ComboBox1->clear();
    ComboBox1->addItem(NoImagesSelected());
    ComboBox1->setCurrentIndex(0);
    setGroupEnabled(listStateControls(), false);
    Label9->show();
    // The picture on its way, if any, is not shown any more.
    ++*m_previewTicket;
    m_previewCache->clear();
    preview = QImage();
    m_pictureSource = {};
    Image1->setImage(preview);
    setWindowTitle(QStringLiteral("Tessary"));
    Image1->setToolTip(tr("No Images to Display"));
    Label5->clear();
    Label7->clear();
    StartFolder = DefaultStartFolder;
}

void TForm1::selectByFileName(const QString& path) {
    const QString name = fileNamePart(path);
    for (int i = 0; i < ComboBox1->count(); ++i) {
        if (ComboBox1->itemText(i).compare(name, Qt::CaseInsensitive) == 0) {
            ComboBox1->setCurrentIndex(i);
            return;
        }
    }
}

void TForm1::AddFiles1Click() {
    const QStringList chosen = m_dialogs.openFiles(this, OpenFilter(), 3, StartFolder);
    if (chosen.isEmpty())
        return;
    for (const QString& path : chosen)
        ImageList.add(path);
    ImageList.setSorted(true);
    Update_ComboBox();
    CurrentIndex = static_cast<std::int32_t>(ImageList.indexOf(chosen.first()));
    ComboBox1->setCurrentIndex(CurrentIndex);
    // The entries are listed whether or not the first one can be shown: the controls follow.
    const auto followList = qScopeGuard([this] { EnterNonEmptyState(); });
    ApplyImage(ImageList.at(CurrentIndex));
}

void TForm1::Button4Click() {
    int i = ComboBox1->currentIndex();
    // After a failed Add nothing is selected: there is no picture the user pointed at.
    if (i < 0 || i >= ImageList.count())
        return;
    ImageList.removeAt(i);
    Update_ComboBox();
    if (ComboBox1->count() == 0)
        Reset();
    else if (i > 0)
        --i;
    ComboBox1->setCurrentIndex(i);
    ComboBox1->update();
    ComboBox1Change();
}

void TForm1::Button5Click() {
    Reset();
}

void TForm1::Next1Click() {
    if (ImageList.isEmpty())
        return;
    ++CurrentIndex;
    if (CurrentIndex < 0 || CurrentIndex >= ImageList.count())
        CurrentIndex = 0;
    stepTo(CurrentIndex);
}

void TForm1::PreviousPicture1Click() {
    if (ImageList.isEmpty())
        return;
    --CurrentIndex;
    if (CurrentIndex < 0 || CurrentIndex >= ImageList.count())
        CurrentIndex = static_cast<std::int32_t>(ImageList.count() - 1);
    stepTo(CurrentIndex);
}

void TForm1::stepTo(int index) {
    const QString path = ImageList.at(index);
    ApplyImage(path, [this, path, index] {
        selectByFileName(path);
        UpDown2->setPosition(index);
    });
}

void TForm1::ComboBox1Change() {
    CurrentIndex = ComboBox1->currentIndex();
    // The empty state's placeholder is no picture. Asking the list rather than comparing the
    // item's text keeps a picture file named like the placeholder selectable.
    if (ImageList.isEmpty() || CurrentIndex < 0 || CurrentIndex >= ImageList.count())
        return;
    const int index = CurrentIndex;
    ApplyImage(ImageList.at(index), [this, index] { UpDown2->setPosition(index); });
}

void TForm1::UpDown2Click() {
    const int p = UpDown2->position();
    // The maximum is the count, one past the last entry (more after removals): such a
    // position shows nothing new.
    if (p < 0 || p >= ImageList.count())
        return;
    CurrentIndex = p;
    ApplyImage(ImageList.at(p), [this, p] { ComboBox1->setCurrentIndex(p); });
}
