#include "wallpaper/BmpRowWriter.h"

#include "app/platform/Errors.h"
#include "app/platform/PositionedWrite.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

BmpRowWriter::BmpRowWriter(const QString& path, const QByteArray& headers, const uchar* rows,
                           qsizetype rowBytes, int height)
    : m_path(path)
    , m_rows(rows)
    , m_rowBytes(rowBytes)
    , m_height(height)
    , m_pixelOffset(headers.size())
    , m_file(path) {
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        m_failure = m_file.errorString();
        return;
    }
    if (!writeAt(m_file, headers.constData(), headers.size(), 0)) {
        m_systemError = errno;
        return;
    }
    m_thread = std::thread([this] { writeRows(); });
}

BmpRowWriter::~BmpRowWriter() {
    {
        // Rows of a picture that failed are not worth writing any more.
        const std::lock_guard<std::mutex> hold(m_lock);
        m_dropped = true;
    }
    finish();
    // The temporary file goes with m_file unless committed.
}

void BmpRowWriter::rowsReady(int count) noexcept {
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_ready = count;
    }
    m_changed.notify_one();
}

void BmpRowWriter::finish() noexcept {
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_closing = true;
    }
    m_changed.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

// Row y of the picture is row height - 1 - y of the file: the first rows decoded go last.
// Every few megabytes the rows go on to the disk while the decoding goes on, so that the commit
// has little left to wait for.
void BmpRowWriter::writeRows() {
    constexpr qint64 SyncBytes = qint64(8) << 20;
    qint64 unsynced = 0;
    std::unique_lock<std::mutex> hold(m_lock);
    for (;;) {
        m_changed.wait(hold, [this] { return m_ready > m_written || m_closing; });
        const int ready = m_ready;
        if (ready == m_written || m_dropped)
            return; // closing, and nothing left to write
        hold.unlock();
        for (int y = m_written; y < ready; ++y) {
            const qint64 at = m_pixelOffset + qint64(m_height - 1 - y) * m_rowBytes;
            if (!writeAt(m_file, m_rows + qsizetype(y) * m_rowBytes, m_rowBytes, at)) {
                // Decoding goes on; the error waits for commit().
                m_systemError = errno;
                return;
            }
        }
        unsynced += qint64(ready - m_written) * m_rowBytes;
        if (unsynced >= SyncBytes && ready < m_height) {
            if (!syncData(m_file)) {
                m_systemError = errno;
                return;
            }
            unsynced = 0;
        }
        hold.lock();
        m_written = ready;
    }
}

void BmpRowWriter::commit() {
    finish();
    QString why = m_failure;
    if (why.isEmpty() && m_systemError != 0)
        why = QString::fromLocal8Bit(std::strerror(m_systemError));
    if (why.isEmpty() && m_written < m_height)
        why = QStringLiteral("the picture cannot be written as BMP.");
    if (why.isEmpty() && !m_file.commit())
        why = m_file.errorString();
    if (!why.isEmpty()) {
        m_file.cancelWriting();
        throw AppError(
            QCoreApplication::translate("Files", "Cannot write \"%1\": %2").arg(m_path, why));
    }
}
