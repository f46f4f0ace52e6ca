#include "imagelist/PictureList.h"

#include "app/platform/PathBytes.h"

#include <algorithm>

PictureList::PictureList() {
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

int PictureList::compare(const QString& a, const QString& b) const {
    return m_collator.compare(a, b);
}

qsizetype PictureList::lowerBound(const QString& path) const {
    const auto it =
        std::lower_bound(m_entries.cbegin(), m_entries.cend(), path,
                         [this](const QString& a, const QString& b) { return compare(a, b) < 0; });
    return it - m_entries.cbegin();
}

qsizetype PictureList::indexOf(const QString& path) const {
    if (m_sorted) {
        const qsizetype i = lowerBound(path);
        return i < count() && compare(m_entries.at(i), path) == 0 ? i : -1;
    }
    for (qsizetype i = 0; i < count(); ++i)
        if (compare(m_entries.at(i), path) == 0)
            return i;
    return -1;
}

qsizetype PictureList::add(const QString& path) {
    if (!m_sorted) {
        m_entries.append(path);
        return count() - 1;
    }
    const qsizetype i = lowerBound(path);
    if (i < count() && compare(m_entries.at(i), path) == 0)
        return i;
    m_entries.insert(i, path);
    return i;
}

void PictureList::setSorted(bool sorted) {
    if (sorted && !m_sorted)
        std::stable_sort(m_entries.begin(), m_entries.end(),
                         [this](const QString& a, const QString& b) { return compare(a, b) < 0; });
    m_sorted = sorted;
}

QString fileNamePart(const QString& path, PathRules rules) {
    const auto isSeparator = [rules](QChar c) {
        return c == u'/' || (rules == PathRules::Windows && (c == u'\\' || c == u':'));
    };
    qsizetype i = path.size();
    while (i > 0 && !isSeparator(path[i - 1]))
        --i;
    return displayPath(path.mid(i));
}
