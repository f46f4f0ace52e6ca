// Pictures and the wallpaper. Decoding, scaling, writing image.bmp and the desktop's part run on
// the worker; what the window shows changes here, in the order of the commands' steps, as each
// piece of work ends.
#include "app/Picture1.h"

#include "app/PreviewImage.h"
#include "app/platform/Errors.h"
#include "app/platform/Platform.h"
#include "app/platform/Registry.h"
#include "app/platform/SystemMemory.h"
#include "tray/Tray.h"
#include "wallpaper/AreaScale.h"
#include "wallpaper/BmpFile.h"
#include "wallpaper/BmpRowWriter.h"
#include "wallpaper/PictureLoader.h"
#include "wallpaper/PlacementRule.h"
#include "wallpaper/PlacementWords.h"

#include <QLabel>
#include <QTimer>

// "JPEG", "Bitmap", or empty for an extension the program does not load (compared with case).
QString TForm1::fileTypeOf(const QString& path) {
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".JPG") ||
        extension == QLatin1String(".jpeg") || extension == QLatin1String(".JPEG"))
        return QStringLiteral("JPEG");
    if (extension == QLatin1String(".bmp") || extension == QLatin1String(".BMP"))
        return QStringLiteral("Bitmap");
    return {};
}

namespace {

// The picture the placement starts from, at full size.
struct FullPicture {
    QImage picture;      // what image.bmp is written from
    QImage shown;        // for the preview, when the picture is a new one to show
    QSize ownSize;       // the decoded file's size, before any rescaling
    QString word;        // the placement word chosen
    bool scaled = false; // SizeFix's copy: the preview holds it from now on
    // image.bmp's rows, written while the picture decoded, for its own size only
    std::shared_ptr<BmpRowWriter> written;
};

// The preview's copy of a large picture: reduced to the preview area, as little as the preview
// needs. A picture that fits is shown as it is.
QImage shownCopy(const QImage& picture, QSize area) {
    if (area.isEmpty() || (picture.width() <= area.width() && picture.height() <= area.height()))
        return picture;
    QImage reduced = areaScaled(picture, picture.size().scaled(area, Qt::KeepAspectRatio));
    return reduced.isNull() ? picture : reduced;
}

// The work of a placement's first half: the picture decoded (or the one on display), and for
// "Determine" the placement chosen from its size and SizeFix's rescaled copy. A JPEG that goes
// to `file` at its own size is written there while it decodes, on a second core.
FullPicture preparePicture(const TForm1::Placing& placing, const QString& file) {
    FullPicture full;
    if (placing.path.isEmpty()) {
        full.picture = placing.itself;
    } else {
        if (placing.jpeg) {
            JpegWithBmp loaded = loadJpegWritingBmp(placing.path, file, [&placing](QSize size) {
                return placing.word != QLatin1String("Determine") ||
                       !decidePlacement(size, placing.screen).scaledSize;
            });
            full.picture = std::move(loaded.picture);
            full.written = std::move(loaded.bmp);
        } else {
            full.picture = loadBmp(placing.path);
        }
        if (placing.show)
            full.shown = shownCopy(full.picture, placing.area);
    }
    full.ownSize = full.picture.size();
    full.word = placing.word;
    if (placing.word != QLatin1String("Determine"))
        return full;
    const QSize size = full.picture.size();
    const PlacementDecision decision = decidePlacement(size, placing.screen);
    full.word = decision.word;
    if (!decision.viaSizeFix)
        return full;
    full.word = QStringLiteral("Center");
    const std::optional<QSize> target = sizeFixTarget(size.height(), size.width(), placing.screen);
    if (!target)
        return full;
    // Only a JPEG's picture was ever scaled from 24 bits: any other (a BMP, an earlier copy)
    // from Qt's 32, whose scaler rounds differently. Keep each one's result.
    const bool fromJpeg = placing.jpeg && !placing.path.isEmpty();
    QImage scaled = scaledPicture(!fromJpeg && full.picture.format() == QImage::Format_BGR888
                                      ? full.picture.convertToFormat(QImage::Format_RGB32)
                                      : full.picture,
                                  *target);
    if (scaled.isNull())
        throw AppError(TForm1::tr("Cannot scale the picture to %1 x %2 pixels.")
                           .arg(target->width())
                           .arg(target->height()));
    full.picture = std::move(scaled);
    full.scaled = true;
    full.written = nullptr;
    return full;
}

} // namespace

QSize TForm1::previewArea() const {
    return Image1->size() * Image1->devicePixelRatioF();
}

void TForm1::ApplyImage(const QString& path, const std::function<void()>& then) {
    const QString fileType = fileTypeOf(path);
    // Whatever preview was on its way is not wanted any more: the newest command wins.
    const quint64 ticket = ++*m_previewTicket;
    if (fileType.isEmpty()) {
        showPictureFacts(path, fileType);
        if (then)
            then();
        return;
    }
    const bool jpeg = fileType == QLatin1String("JPEG");
    const QSize area = previewArea();
    offload(
        [path, jpeg, area, ticket, newest = m_previewTicket, cache = m_previewCache] {
            // Steps come faster than pictures decode: one already replaced is skipped.
            if (*newest != ticket)
                return PreviewPicture();
            if (std::optional<PreviewPicture> ready = cache->take(path, area))
                return std::move(*ready);
            return loadPreview(path, jpeg, area);
        },
        [this, ticket, path, jpeg, fileType, then](WorkOutcome<PreviewPicture>& outcome) {
            if (ticket != *m_previewTicket)
                return;
            // A failure leaves the display as it was.
            showPicture(path, jpeg, outcome.take());
            showPictureFacts(path, fileType);
            if (then)
                then();
            decodeNeighbours(path);
        });
}

void TForm1::decodeNeighbours(const QString& path) {
    const qsizetype at = ImageList.indexOf(path);
    const qsizetype count = ImageList.count();
    if (at < 0 || count < 2)
        return;
    const quint64 ticket = *m_previewTicket;
    const QSize area = previewArea();
    for (const qsizetype next : {(at + 1) % count, (at + count - 1) % count}) {
        const QString neighbour = ImageList.at(next);
        const QString fileType = fileTypeOf(neighbour);
        if (neighbour == path || fileType.isEmpty())
            continue;
        const bool jpeg = fileType == QLatin1String("JPEG");
        m_work->post(
            this,
            [neighbour, jpeg, area, ticket, newest = m_previewTicket, cache = m_previewCache] {
                // Ahead of the user only while the picture shown is still the newest request.
                if (*newest != ticket || cache->holds(neighbour, area))
                    return;
                try {
                    cache->put(neighbour, area, loadPreview(neighbour, jpeg, area));
                } catch (const AppError&) {
                    // Reported if the user steps there: then it is decoded again.
                }
            },
            [] {});
    }
}

void TForm1::showPicture(const QString& path, bool jpeg, PreviewPicture picture) {
    preview = std::move(picture.image);
    m_pictureSource = {path, jpeg, picture.fullSize};
    Image1->setImage(preview, picture.fullSize);
    Label9->hide();
}

void TForm1::showPictureFacts(const QString& path, const QString& fileType) {
    const QString name = fileNamePart(path);
    m_pictureCaption = QStringLiteral("Tessary - %1 (%2/%3)")
                           .arg(name)
                           .arg(ImageList.indexOf(path) + 1)
                           .arg(ImageList.count());
    // A caption saying the wallpaper was not changed stays until it is.
    if (m_wallpaperProblem.isEmpty())
        setWindowTitle(m_pictureCaption);
    Image1->setToolTip(name);
    Label5->setText(fileType);
    const QSize size = pictureSize();
    Label7->setText(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()));
}

void TForm1::refreshPreview() {
    const PictureSource source = m_pictureSource;
    if (source.path.isEmpty())
        return;
    const quint64 ticket = ++*m_previewTicket;
    const QSize area = previewArea();
    offload([source, area] { return loadPreview(source.path, source.jpeg, area); },
            [this, ticket, source](WorkOutcome<PreviewPicture>& outcome) {
                if (ticket != *m_previewTicket || m_pictureSource.path != source.path)
                    return;
                PreviewPicture picture;
                try {
                    picture = outcome.take();
                } catch (const AppError&) {
                    return; // the sharper copy is a nicety: the preview stays as it is
                }
                preview = std::move(picture.image);
                Image1->setImage(preview, picture.fullSize);
            });
}

TForm1::Placing TForm1::placingOfDisplay(const QString& word) const {
    Placing placing;
    placing.word = word;
    placing.screen = m_platform.screenSize();
    placing.area = previewArea();
    if (m_pictureSource.path.isEmpty()) {
        placing.itself = preview;
    } else {
        placing.path = m_pictureSource.path;
        placing.jpeg = m_pictureSource.jpeg;
    }
    return placing;
}

void TForm1::place(const Placing& placing, const PlaceSteps& steps) {
    const quint64 previewTicket = *m_previewTicket;
    offload(
        [placing, file = WallpaperFile] { return preparePicture(placing, file); },
        [this, placing, steps, previewTicket](WorkOutcome<FullPicture>& outcome) {
            if (steps.wanted && !steps.wanted())
                return;
            FullPicture full;
            try {
                full = outcome.take();
            } catch (...) {
                if (!steps.failed)
                    throw;
                steps.failed(std::current_exception(), true);
                return;
            }
            try {
                if (placing.show) {
                    ++*m_previewTicket;
                    showPicture(placing.path, placing.jpeg, {std::move(full.shown), full.ownSize});
                }
                if (steps.shown)
                    steps.shown();
                // The copy is what the preview holds from now on (there is no file to decode
                // it from), unless the user stepped to another picture meanwhile.
                if (full.scaled && (placing.show || previewTicket == *m_previewTicket)) {
                    ++*m_previewTicket;
                    preview = full.picture;
                    m_pictureSource = {};
                    Image1->setImage(preview);
                }
                writeWallpaper(full.word, placing.word == QLatin1String("Determine"),
                               std::move(full.picture), std::move(full.written), steps);
            } catch (...) {
                if (!steps.failed)
                    throw;
                steps.failed(std::current_exception(), false);
            }
        });
}

void TForm1::writeWallpaper(const QString& word, bool determined, QImage picture,
                            std::shared_ptr<BmpRowWriter> bmpRows, const PlaceSteps& steps) {
    const DesktopStyle style = styleForWord(word);
    try {
        Registry& registry = m_platform.registry();
        registry.writeString(RegistryKeys::Desktop, QStringLiteral("WallpaperStyle"),
                             style.wallpaperStyle);
        registry.writeString(RegistryKeys::Desktop, QStringLiteral("TileWallpaper"),
                             style.tileWallpaper);
        registry.writeString(RegistryKeys::Desktop, QStringLiteral("Wallpaper"), WallpaperFile);
    } catch (const AppError& error) {
        showWallpaperProblem(error.text());
        throw;
    }
    const std::function<void(const QImage&)> showOnDesktop =
        m_platform.wallpaperShower(WallpaperFile, determined);
    const QString file = WallpaperFile;
    if (bmpRows && bmpRows->path() != file)
        bmpRows = nullptr;
    offload(
        [file, showOnDesktop, picture = std::move(picture), bmpRows]() mutable {
            // The file comes after the desktop's values: rows written already go in place now.
            if (bmpRows)
                bmpRows->commit();
            else
                saveBmp(picture, file);
            if (!showOnDesktop)
                return picture; // for the desktop told from the interface thread
            showOnDesktop(picture);
            picture = QImage();
            // The picture's memory came in blocks the allocator may keep; give them back.
            releaseFreeMemory();
            return QImage();
        },
        [this, file, determined, steps](WorkOutcome<QImage>& outcome) {
            if (steps.wanted && !steps.wanted())
                return;
            try {
                try {
                    const QImage written = outcome.take();
                    if (!written.isNull())
                        m_platform.setWallpaperPicture(file, determined, written);
                } catch (const AppError& error) {
                    showWallpaperProblem(error.text());
                    throw;
                }
            } catch (...) {
                if (!steps.failed)
                    throw;
                steps.failed(std::current_exception(), false);
                return;
            }
            showWallpaperProblem(QString());
            if (steps.then)
                steps.then();
        });
}

void TForm1::showWallpaperProblem(const QString& why) {
    if (why.isEmpty() && m_wallpaperProblem.isEmpty())
        return;
    m_wallpaperProblem = why;
    setWindowTitle(
        why.isEmpty()
            ? m_pictureCaption
            : tr("Tessary - Wallpaper not changed: %1").arg(QString(why).replace(u'\n', u' ')));
    if (Timer2->isActive()) {
        TrayHintText = startedHint();
        Tray1->SetHint(TrayHintText);
    }
}

void TForm1::SetAsWallpaper(const QString& position) {
    styleForWord(position);
    // Without a picture there is nothing to write; stop before the desktop values change.
    if (preview.isNull())
        throw AppError(tr("There is no picture to set as wallpaper."));
    place(placingOfDisplay(position), {});
}

void TForm1::DeterminePos() {
    if (preview.isNull())
        throw AppError(tr("There is no picture to set as wallpaper."));
    place(placingOfDisplay(QStringLiteral("Determine")), {});
}

void TForm1::Determine1Click() {
    DeterminePos();
}

void TForm1::Centered1Click() {
    SetAsWallpaper(QStringLiteral("Center"));
}

void TForm1::Tiled1Click() {
    SetAsWallpaper(QStringLiteral("Tile"));
}

void TForm1::Stretched1Click() {
    SetAsWallpaper(QStringLiteral("Stretch"));
}

QSize TForm1::pictureSize() const {
    return m_pictureSource.path.isEmpty() ? preview.size() : m_pictureSource.size;
}
