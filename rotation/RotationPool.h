#pragma once

#include <QStringList>

#include <cstdint>

// The pictures of the current rotation cycle not yet shown. Drawing with the modulo rule and
// removing each drawn entry shows every picture of the list once per cycle, in random order.
class RotationPool {
public:
    // Replaces the content with a copy of the list, same entries, same order.
    void fill(const QStringList& entries) { m_entries = entries; }
    void clear() { m_entries.clear(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    qsizetype count() const { return m_entries.size(); }
    const QString& at(qsizetype i) const { return m_entries.at(i); }
    const QStringList& entries() const { return m_entries; }
    // The position r mod n of the next pick, n being the number of entries; the pool must not
    // be empty.
    qsizetype draw(std::uint32_t r) const;
    void removeAt(qsizetype i) { m_entries.removeAt(i); }

private:
    QStringList m_entries;
};
