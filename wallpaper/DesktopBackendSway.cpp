#include "wallpaper/DesktopBackendSway.h"

#include "app/platform/Errors.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const char Magic[] = {'i', '3', '-', 'i', 'p', 'c'};
const std::uint32_t RunCommand = 0;
const int TimeoutSeconds = 10;

// sway keeps a quoted argument whole but passes backslashes through, then expands the file
// argument like a shell word (variables, command substitution). So the path goes inside
// quotes of both levels: single quotes for the shell word inside double quotes for sway, or, for
// a path with a double quote, the other way round with the shell's specials escaped. sway
// mangles runs of blanks whatever the quoting, and a path with both quote kinds has no
// spelling: such a name is refused rather than set to a picture that silently never shows.
QString quotedPath(const QString& path) {
    static const QRegularExpression awkward(QStringLiteral("\\s\\s|[\\t\\n\\r]"));
    const bool hasDouble = path.contains(QLatin1Char('"'));
    if (path.contains(awkward) || (hasDouble && path.contains(QLatin1Char('\''))))
        throw AppError(QCoreApplication::translate(
                           "Desktop",
                           "sway cannot be given the wallpaper file \"%1\": its name holds "
                           "blanks in a row or both kinds of quote.")
                           .arg(path));
    if (!hasDouble)
        return QStringLiteral("\"'%1'\"")
            .arg(QString(path).replace(QLatin1String("'"), QLatin1String("'\\''")));
    QString word = path;
    for (const char* special : {"\\", "$", "`", "\""})
        word.replace(QLatin1String(special), QLatin1String("\\") + QLatin1String(special));
    return QStringLiteral("'\"%1\"'").arg(word);
}

// sway replaces "$name" in every argument by its variable of that name, before any quoting is
// looked at. "$$" stands for "$"; a "$" right after one backslash (but not after two) is left
// alone, so it must not be doubled there or the second "$" would start a variable.
QString withoutVariables(const QString& argument) {
    QString out;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        out += argument[i];
        const bool afterOneBackslash =
            i > 0 && argument[i - 1] == u'\\' && !(i > 1 && argument[i - 2] == u'\\');
        if (argument[i] == u'$' && !afterOneBackslash)
            out += u'$';
    }
    return out;
}

class Socket {
public:
    explicit Socket(int fd)
        : m_fd(fd) {}
    ~Socket() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

void writeAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n =
            ::send(fd, data.constData() + done, size_t(data.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw AppError(
                QCoreApplication::translate("Desktop", "sway did not take the command: %1")
                    .arg(QString::fromLocal8Bit(std::strerror(errno))));
        done += n;
    }
}

QByteArray readExactly(int fd, qsizetype size) {
    QByteArray data(size, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::recv(fd, data.data() + done, size_t(size - done), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw AppError(QCoreApplication::translate(
                "Desktop", "sway did not answer the wallpaper command."));
        done += n;
    }
    return data;
}

} // namespace

QString DesktopBackendSway::modeWord(Placement placement) {
    switch (placement) {
    case Placement::Tile:
        return QStringLiteral("tile");
    case Placement::Stretch:
        return QStringLiteral("stretch");
    case Placement::Center:
        break;
    }
    return QStringLiteral("center");
}

DesktopBackendSway::DesktopBackendSway(QString socketPath)
    : m_socketPath(std::move(socketPath)) {}

QString DesktopBackendSway::name() const {
    return QStringLiteral("sway");
}

QString DesktopBackendSway::pictureCommand(const QString& file, Placement placement, QColor color) {
    return QStringLiteral("output * bg %1 %2 %3")
        .arg(withoutVariables(quotedPath(file)), modeWord(placement), color.name(QColor::HexRgb));
}

QString DesktopBackendSway::colorCommand(QColor color) {
    return QStringLiteral("output * bg %1 solid_color").arg(color.name(QColor::HexRgb));
}

void DesktopBackendSway::setWallpaper(const QString& file, Placement placement) {
    // sway answers success for a file it cannot show: look first.
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        throw AppError(
            QCoreApplication::translate("Desktop", "The wallpaper file \"%1\" cannot be read.")
                .arg(file));
    run(pictureCommand(file, placement, m_color));
    m_file = file;
    m_placement = placement;
}

void DesktopBackendSway::setBackgroundColor(QColor color) {
    // The colour is part of the picture command: send the picture again with the new fill.
    if (!m_file.isEmpty() && QFileInfo(m_file).isReadable())
        run(pictureCommand(m_file, m_placement, color));
    else
        run(colorCommand(color));
    m_color = color;
}

std::optional<QColor> DesktopBackendSway::backgroundColor() const {
    return std::nullopt;
}

void DesktopBackendSway::assumeBackgroundColor(QColor color) {
    m_color = color;
}

void DesktopBackendSway::run(const QString& command) const {
    if (m_socketPath.isEmpty())
        throw AppError(
            QCoreApplication::translate("Desktop", "sway cannot be reached: SWAYSOCK is not set."));
    const QByteArray path = m_socketPath.toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof(address.sun_path))
        throw AppError(QCoreApplication::translate("Desktop", "sway's socket path is too long: %1")
                           .arg(m_socketPath));
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));

    const Socket socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    timeval timeout{TimeoutSeconds, 0};
    if (socket.fd() < 0 ||
        ::setsockopt(socket.fd(), SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout) != 0 ||
        ::setsockopt(socket.fd(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout) != 0 ||
        ::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw AppError(QCoreApplication::translate("Desktop", "sway cannot be reached at %1: %2")
                           .arg(m_socketPath, QString::fromLocal8Bit(std::strerror(errno))));

    const QByteArray payload = command.toUtf8();
    const std::uint32_t header[2] = {std::uint32_t(payload.size()), RunCommand};
    QByteArray message(Magic, sizeof Magic);
    message.append(reinterpret_cast<const char*>(header), sizeof header);
    message.append(payload);
    writeAll(socket.fd(), message);

    const QByteArray replyHeader =
        readExactly(socket.fd(), qsizetype(sizeof Magic + sizeof header));
    if (std::memcmp(replyHeader.constData(), Magic, sizeof Magic) != 0)
        throw AppError(
            QCoreApplication::translate("Desktop", "sway answered in a way we do not understand."));
    std::uint32_t replyFields[2];
    std::memcpy(replyFields, replyHeader.constData() + sizeof Magic, sizeof replyFields);
    if (replyFields[0] > 1024 * 1024)
        throw AppError(
            QCoreApplication::translate("Desktop", "sway answered in a way we do not understand."));
    const QByteArray reply = readExactly(socket.fd(), qsizetype(replyFields[0]));

    const QJsonArray results = QJsonDocument::fromJson(reply).array();
    if (results.isEmpty())
        throw AppError(
            QCoreApplication::translate("Desktop", "sway answered in a way we do not understand."));
    for (const auto& result : results) {
        const QJsonObject object = result.toObject();
        if (!object.value(QLatin1String("success")).toBool())
            throw AppError(QCoreApplication::translate("Desktop", "sway refused the wallpaper: %1")
                               .arg(object.value(QLatin1String("error")).toString()));
    }
}
