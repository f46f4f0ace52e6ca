#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

// A BMP file written while its picture is still being decoded: the headers at once, then the
// rows as the decoder finishes them, each at its place in the bottom-up file, on a thread of
// its own so that decoding and writing share two cores. Everything goes to a temporary file
// beside `path`, which replaces `path` only on commit(); a writer dropped before that leaves
// `path` as it was and removes the temporary file.
class BmpRowWriter {
public:
    // `headers`: all the file holds before the rows (see bmpHeaders); `rows`: the picture's
    // top row, `height` rows of `rowBytes` each (padding included), to stay valid and unchanged
    // once reported ready until finish() or the writer's end.
    BmpRowWriter(const QString& path, const QByteArray& headers, const uchar* rows,
                 qsizetype rowBytes, int height);
    ~BmpRowWriter();
    BmpRowWriter(const BmpRowWriter&) = delete;
    BmpRowWriter& operator=(const BmpRowWriter&) = delete;

    const QString& path() const { return m_path; }
    // Rows 0 to count - 1 (top down) hold their final bytes.
    void rowsReady(int count) noexcept;
    // Waits until every ready row is in the file; the rows are not looked at any more.
    void finish() noexcept;
    // Replaces `path` with the whole file, once every row was reported ready. Throws AppError
    // "Cannot write "PATH": why" as saveBmp does; `path` is then untouched.
    void commit();

private:
    void writeRows();

    const QString m_path;
    const uchar* m_rows;
    const qsizetype m_rowBytes;
    const int m_height;
    const qint64 m_pixelOffset;
    QSaveFile m_file;
    QString m_failure; // why the file cannot be written, once known
    int m_systemError = 0;

    std::mutex m_lock;
    std::condition_variable m_changed;
    int m_ready = 0;        // rows reported ready
    int m_written = 0;      // rows in the file (the writing thread's own until it ends)
    bool m_closing = false; // no more rows are coming
    bool m_dropped = false; // nor will the file be committed
    std::thread m_thread;
};
