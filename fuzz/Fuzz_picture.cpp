#include "app/platform/Errors.h"
#include "wallpaper/PictureLoader.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The loaders read files, so each input goes through one.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    for (auto load : {&loadJpeg, &loadBmp}) {
        try {
            const QImage image = load(path);
            if (image.isNull())
                __builtin_trap(); // a load either gives a picture or an error
        } catch (const AppError&) {
        }
    }
    return 0;
}
