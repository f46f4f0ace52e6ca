#include "app/platform/RegularFile.h"

#include "app/platform/Errors.h"
#include "app/platform/PathBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <io.h>

// Windows names are UTF-16 text: the path goes to the system as it is, and the file is read
// as bytes (a C runtime descriptor opened in text mode would turn CR LF into LF and stop at
// the first 0x1A of a picture).

namespace {

QString systemMessage(DWORD number) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, number, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString message = length ? QString::fromWCharArray(text, int(length)).trimmed()
                             : QStringLiteral("system error %1").arg(number);
    LocalFree(text);
    return message;
}

AppError cannotOpen(const QString& path, const QString& why) {
    return AppError(
        QCoreApplication::translate("Files", "Cannot open \"%1\": %2").arg(displayPath(path), why));
}

AppError notRegular(const QString& path, const QString& kind) {
    return AppError(
        QCoreApplication::translate("Files", "Cannot open \"%1\": it is %2, not a regular file.")
            .arg(displayPath(path), kind));
}

} // namespace

RegularFile::RegularFile(const QString& path)
    : m_path(path) {
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    // Others may go on reading, writing or renaming it meanwhile, as with an open file on Linux.
    HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD number = GetLastError();
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            throw notRegular(path, QCoreApplication::translate("Files", "a folder"));
        throw cannotOpen(path, systemMessage(number));
    }
    const DWORD type = GetFileType(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    if (type != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(handle);
        const QString kind =
            type == FILE_TYPE_PIPE   ? QCoreApplication::translate("Files", "a named pipe")
            : type == FILE_TYPE_CHAR ? QCoreApplication::translate("Files", "a device")
            : type == FILE_TYPE_DISK ? QCoreApplication::translate("Files", "a folder")
                                     : QCoreApplication::translate("Files", "a special file");
        throw notRegular(path, kind);
    }
    m_size = (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    m_fd = _open_osfhandle(intptr_t(handle), _O_RDONLY | _O_BINARY);
    if (m_fd < 0) {
        const int number = errno;
        CloseHandle(handle);
        throw cannotOpen(path, QString::fromLocal8Bit(std::strerror(number)));
    }
}

RegularFile::~RegularFile() {
    if (m_fd >= 0)
        ::_close(m_fd);
}

qint64 RegularFile::readSome(void* data, qint64 maxBytes) {
    return ::_read(m_fd, data, unsigned(qMin<qint64>(maxBytes, INT_MAX)));
}
