#include "app/PreviewCache.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr std::size_t Kept = 2;

} // namespace

std::optional<PreviewPicture> PreviewCache::take(const QString& path, QSize area) {
    const QFileInfo file(path);
    const std::lock_guard<std::mutex> hold(m_lock);
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return e.path == path && e.area == area;
    });
    if (found == m_entries.end())
        return std::nullopt;
    Entry entry = std::move(*found);
    m_entries.erase(found);
    if (!file.isFile() || file.size() != entry.fileSize || file.lastModified() != entry.modified)
        return std::nullopt;
    return std::move(entry.preview);
}

bool PreviewCache::holds(const QString& path, QSize area) {
    const std::lock_guard<std::mutex> hold(m_lock);
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& e) { return e.path == path && e.area == area; });
}

void PreviewCache::put(const QString& path, QSize area, PreviewPicture preview) {
    const QFileInfo file(path);
    const std::lock_guard<std::mutex> hold(m_lock);
    m_entries.push_back({path, area, file.size(), file.lastModified(), std::move(preview)});
    while (m_entries.size() > Kept)
        m_entries.pop_front();
}

void PreviewCache::clear() {
    const std::lock_guard<std::mutex> hold(m_lock);
    m_entries.clear();
}
