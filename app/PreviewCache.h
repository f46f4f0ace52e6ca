#pragma once

#include "wallpaper/PictureLoader.h"

#include <QDateTime>
#include <QSize>
#include <QString>

#include <deque>
#include <mutex>
#include <optional>

// Previews decoded ahead for the pictures next to the one shown, so that a step through the
// list shows its picture at once. Shared by the interface thread and the worker; an entry is
// used only while its file is unchanged and the preview area the same.
class PreviewCache {
public:
    // The preview of `path` for `area`, taken out of the cache; nothing when there is none or
    // the file changed since (which the caller then decodes, and reports as it would).
    std::optional<PreviewPicture> take(const QString& path, QSize area);
    bool holds(const QString& path, QSize area);
    // Keeps the preview, dropping the oldest beyond the two neighbours of a picture.
    void put(const QString& path, QSize area, PreviewPicture preview);
    void clear();

private:
    struct Entry {
        QString path;
        QSize area;
        qint64 fileSize;
        QDateTime modified;
        PreviewPicture preview;
    };
    std::mutex m_lock;
    std::deque<Entry> m_entries;
};
