#include "imagelist/PictureGathering.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

bool hasPictureSuffix(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    for (const char* known : {"bmp", "jpg", "jpeg"})
        if (suffix.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

GatheredPictures gatherPictures(const QStringList& paths) {
    GatheredPictures gathered;
    // As the list sorts: by the whole path, case aside.
    const auto byName = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    };
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isFile() && hasPictureSuffix(path)) {
            gathered.pictures.append(info.absoluteFilePath());
            continue;
        }
        QStringList found;
        if (info.isDir()) {
            QDirIterator walk(info.absoluteFilePath(), QDir::Files | QDir::Readable,
                              QDirIterator::Subdirectories);
            while (walk.hasNext()) {
                const QString file = walk.next();
                if (hasPictureSuffix(file))
                    found.append(file);
            }
        }
        if (found.isEmpty()) {
            gathered.refused.append(path);
            continue;
        }
        std::sort(found.begin(), found.end(), byName);
        gathered.pictures.append(found);
    }
    return gathered;
}
