#pragma once

#include <QCollator>
#include <QStringList>

// The user's picture paths. Comparison ignores case and follows the user's locale. Unsorted, the
// list keeps the order entries arrive in, duplicates included; once sorted mode is switched on
// the list is sorted and every addition goes to its sorted place, skipping an equal entry.
class PictureList {
public:
    PictureList();

    qsizetype count() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QString& at(qsizetype i) const { return m_entries.at(i); }
    const QStringList& entries() const { return m_entries; }

    // Position of an entry equal to path (the first one while unsorted), or -1.
    qsizetype indexOf(const QString& path) const;
    // Appends (unsorted) or inserts at the sorted place, where an equal entry already present
    // is kept instead. Returns the entry's position.
    qsizetype add(const QString& path);
    // Switching on sorts once; switching off keeps the order.
    void setSorted(bool sorted);
    bool isSorted() const { return m_sorted; }
    void removeAt(qsizetype i) { m_entries.removeAt(i); }
    void clear() { m_entries.clear(); }
    // Replaces the content as it stands: no sorting and no duplicate removal.
    void assign(const QStringList& entries) { m_entries = entries; }

    int compare(const QString& a, const QString& b) const;

private:
    // First position whose entry is not less than path; sorted mode only.
    qsizetype lowerBound(const QString& path) const;

    QCollator m_collator;
    QStringList m_entries;
    bool m_sorted = false;
};

// Where a file name starts: after the last "/" on Linux; after the last "/", "\" or ":" on
// Windows, where a drive letter and backslashes separate too.
enum class PathRules { Posix, Windows };
#ifdef Q_OS_WIN
inline constexpr PathRules NativePathRules = PathRules::Windows;
#else
inline constexpr PathRules NativePathRules = PathRules::Posix;
#endif

// The file-name part of a path, by the given rules, as shown to the user (bytes that are not
// UTF-8 as U+FFFD).
QString fileNamePart(const QString& path, PathRules rules = NativePathRules);
