#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class AppError;
class QFile;

// A file the program reads that someone else named (a picture, images.db), opened by the exact
// bytes of its path and without ever blocking: a named pipe, a device, a socket or a folder,
// also behind a link, is refused instead of read. Throws AppError "Cannot open "PATH": why".
class RegularFile {
public:
    explicit RegularFile(const QString& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // The size the file had when opened.
    qint64 size() const { return m_size; }
    // The whole content, never more than maxBytes whatever the size claimed: throws AppError
    // when the file holds more, or cannot be read.
    QByteArray readAll(qint64 maxBytes);
    // Reads up to maxBytes at the current position: the count read, 0 at the end, -1 on an
    // error (errno tells which).
    qint64 readSome(void* data, qint64 maxBytes);
    // The refusals of a read: "Cannot read "PATH": why" for system error `number`, and
    // "Cannot load "PATH": the file is larger than N MiB." past maxBytes.
    AppError readFailed(int number) const;
    AppError tooLarge(qint64 maxBytes) const;
    // Hands the open file to `file`, which closes it from then on.
    void handTo(QFile& file);

private:
    QString m_path;
    int m_fd = -1;
    qint64 m_size = 0;
};
