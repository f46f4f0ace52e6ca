// Pictures, the wallpaper and the desktop colour.
#include "app/Picture1.h"

#include "app/PreviewImage.h"
#include "wallpaper/PictureLoader.h"

#include <QLabel>

void TForm1::ApplyImage(const QString& path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    QString fileType;
    if (extension == QLatin1String(".jpg") || extension == QLatin1String(".JPG") ||
        extension == QLatin1String(".jpeg") || extension == QLatin1String(".JPEG")) {
        preview = loadJpeg(path);
        fileType = QStringLiteral("JPEG");
    } else if (extension == QLatin1String(".bmp") || extension == QLatin1String(".BMP")) {
        preview = loadBmp(path);
        fileType = QStringLiteral("Bitmap");
    }
    Image1->setImage(preview);
    setWindowTitle(QStringLiteral("Tessary - %1 (%2/%3)")
                       .arg(name)
                       .arg(ImageList.indexOf(path) + 1)
                       .arg(ImageList.count()));
    Image1->setToolTip(name);
    Label5->setText(fileType);
    Label7->setText(QStringLiteral("%1 x %2").arg(preview.width()).arg(preview.height()));
}

void TForm1::SetAsWallpaper(const QString&) {}
void TForm1::DeterminePos() {}
void TForm1::SizeFix(double, double) {}
void TForm1::Determine1Click() {}
void TForm1::Centered1Click() {}
void TForm1::Tiled1Click() {}
void TForm1::Stretched1Click() {}
