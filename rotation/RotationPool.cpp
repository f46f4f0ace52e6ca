#include "rotation/RotationPool.h"

#include <QtGlobal>

qsizetype RotationPool::draw(std::uint32_t r) const {
    Q_ASSERT(!m_entries.isEmpty());
    return static_cast<qsizetype>(r % static_cast<std::uint64_t>(m_entries.size()));
}
