// The picture list: images.db, the drop-down box, the empty and non-empty states, and the
// user's commands on the list.
#include "app/Picture1.h"

#include "app/PreviewImage.h"
#include "app/UpDown.h"
#include "app/platform/Platform.h"
#include "app/platform/UserDialogs.h"
#include "imagelist/ImagesDb.h"
#include "imagelist/PictureGathering.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>

QString TForm1::ImagesDbPath() {
    return m_platform.dataFolder() + QStringLiteral("/images.db");
}

void TForm1::LoadImagedb() {
    bool cutAtNul = false;
    ImageList.assign(readImagesDb(ImagesDbPath(), &cutAtNul));
    if (cutAtNul) {
        m_listCutAtNul = ImageList.entries();
        m_dialogs.showError(this, tr("The picture list \"%1\" holds a NUL byte after "
                                     "%n entries: the rest of the file was not read. "
                                     "The file is kept as it is unless you change "
                                     "the list.",
                                     nullptr, int(ImageList.count()))
                                      .arg(ImagesDbPath()));
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
    m_pictureCaption = QStringLiteral("Tessary");
    setWindowTitle(m_pictureCaption);
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
    addPictures(m_dialogs.openFiles(this, OpenFilter(), 3, StartFolder));
}

void TForm1::addPictures(const QStringList& chosen) {
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

void TForm1::addGivenPaths(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    if (Timer2->isActive()) {
        m_dialogs.showError(this, tr("Pictures cannot be added while the wallpaper changes by "
                                     "itself. Press Stop, then add them again."));
        return;
    }
    const GatheredPictures gathered = gatherPictures(paths);
    // The message comes after the pictures are in: nothing given is lost for one bad name.
    const auto tellRefused = qScopeGuard([this, &gathered] {
        if (gathered.refused.isEmpty())
            return;
        constexpr qsizetype Named = 10;
        QStringList names = gathered.refused.mid(0, Named);
        if (gathered.refused.size() > Named)
            names.append(
                tr("... and %n more", nullptr, static_cast<int>(gathered.refused.size() - Named)));
        m_dialogs.showError(this, tr("Not added: these are not BMP or JPEG pictures, nor "
                                     "folders holding any.\n\n%1")
                                      .arg(names.join(u'\n')));
    });
    addPictures(gathered.pictures);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths.append(url.isLocalFile() ? url.toLocalFile() : url.toDisplayString());
    event->acceptProposedAction();
    // Handled after the drop returns: a message box inside it would hold the file manager's
    // drag as well.
    QTimer::singleShot(0, this, [this, paths] { runGuarded([&] { addGivenPaths(paths); }); });
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
