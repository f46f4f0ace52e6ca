#pragma once

#include "app/Picture1.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeUserDialogs.h"
#include "imagelist/ImagesDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

// The fake platform whose data folder can be made unusable: a path below a regular file, which
// fails for root too (root ignores permissions).
class DataFolderPlatform : public FakePlatform {
public:
    QString dataFolder() override {
        return unusableDataFolder.isEmpty() ? FakePlatform::dataFolder() : unusableDataFolder;
    }
    QString unusableDataFolder;
};

// One run of the program against the fake platform, with small real pictures in a temporary
// folder. Pictures differ in width, so the preview's width tells which one is on display.
class Session {
public:
    explicit Session(bool minimizeTell = true, bool minimized = false) {
        ValueStore& s = platform.store;
        const QString& p = RegistryKeys::Product;
        s.createKey(p);
        s.writeBool(p, QStringLiteral("MinimizeTell"), minimizeTell);
        s.writeBool(p, QStringLiteral("AutoStart"), false);
        s.writeBool(p, QStringLiteral("Minimized"), minimized);
        s.writeString(p, QStringLiteral("Position"), QStringLiteral("Determine"));
        s.writeString(p, QStringLiteral("Hours"), QStringLiteral("0"));
        s.writeString(p, QStringLiteral("Minutes"), QStringLiteral("1"));
        s.writeString(p, QStringLiteral("Seconds"), QStringLiteral("0"));
        s.writeString(RegistryKeys::Colors, QStringLiteral("Background"),
                      QStringLiteral("58 110 165"));
    }

    // A BMP file width x 6 at name below the pictures folder; returns its full path.
    QString picture(const QString& name, int width) {
        const QString path = pictures.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QImage image(width, 6, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((width * 37) % 360, 200, 200));
        if (!image.save(path, "BMP"))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // A file named like a bitmap that is none.
    QString broken(const QString& name) {
        const QString path = pictures.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write("not a picture") < 0)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // Starts the program with this images.db (none when empty).
    TForm1& start(const QStringList& imagesDb = {}) {
        if (!imagesDb.isEmpty())
            platform.writeImagesDb(serializeImagesDb(imagesDb));
        form = std::make_unique<TForm1>(platform, dialogs);
        return *form;
    }

    QString imagesDbPath() const { return platform.dir.filePath(QStringLiteral("images.db")); }
    bool imagesDbExists() const { return QFileInfo::exists(imagesDbPath()); }
    QByteArray imagesDbBytes() const {
        QFile f(imagesDbPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    DataFolderPlatform platform;
    FakeUserDialogs dialogs;
    QTemporaryDir pictures;
    std::unique_ptr<TForm1> form;
};
