#include "fakes/FakePlatform.h"

#include <QDir>
#include <QFile>

FakePlatform::FakePlatform()
    : store({RegistryKeys::Run, RegistryKeys::Desktop, RegistryKeys::Colors}) {}

QString FakePlatform::dataFolder() {
    return dir.path();
}

void FakePlatform::setWallpaper(const QString& file, bool determined) {
    QFile f(file);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly))
        bytes = f.readAll();
    wallpaperCalls.push_back(
        {file, store.readString(RegistryKeys::Desktop, QStringLiteral("WallpaperStyle")),
         store.readString(RegistryKeys::Desktop, QStringLiteral("TileWallpaper")), bytes,
         determined});
}

void FakePlatform::writeImagesDb(const QByteArray& bytes) {
    QFile f(dir.filePath(QStringLiteral("images.db")));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}
