#include "wallpaper/DesktopBackendX11.h"

#include "app/platform/Errors.h"
#include "wallpaper/AreaScale.h"
#include "wallpaper/PictureLoader.h"
#include "wallpaper/PlacementRule.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <xcb/randr.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xinerama.h>

#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Rows of the screen image drawn and sent at a time come to about this many bytes.
constexpr std::size_t BandBytes = std::size_t(1) << 20;

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

Connection connectTo(const QString& display, int& screenNumber) {
    const QByteArray name = display.toLocal8Bit();
    return Connection(xcb_connect(name.isEmpty() ? nullptr : name.constData(), &screenNumber));
}

bool hasExtension(xcb_connection_t* connection, xcb_extension_t* extension) {
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(connection, extension);
    return data && data->present;
}

xcb_screen_t* screenOf(xcb_connection_t* connection, int number) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; it.rem; --number, xcb_screen_next(&it))
        if (number == 0)
            return it.data;
    return nullptr;
}

xcb_visualtype_t* visualOf(xcb_screen_t* screen) {
    for (xcb_depth_iterator_t depth = xcb_screen_allowed_depths_iterator(screen); depth.rem;
         xcb_depth_next(&depth))
        for (xcb_visualtype_iterator_t visual = xcb_depth_visuals_iterator(depth.data); visual.rem;
             xcb_visualtype_next(&visual))
            if (visual.data->visual_id == screen->root_visual)
                return visual.data;
    return nullptr;
}

int bitsPerPixel(xcb_connection_t* connection, std::uint8_t depth) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    for (xcb_format_iterator_t format = xcb_setup_pixmap_formats_iterator(setup); format.rem;
         xcb_format_next(&format))
        if (format.data->depth == depth)
            return format.data->bits_per_pixel;
    return 0;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_pixmap_t pixmapProperty(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t property) {
    const ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, property, XCB_ATOM_PIXMAP, 0, 1),
            nullptr),
        &std::free);
    if (!reply || reply->type != XCB_ATOM_PIXMAP || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) < 4)
        return XCB_NONE;
    return *static_cast<const xcb_pixmap_t*>(xcb_get_property_value(reply.get()));
}

// One channel of 8 bits moved into the place a visual's mask gives it.
std::uint32_t place(std::uint32_t value8, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const std::uint32_t scaled = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
    return (scaled << shift) & mask;
}

// The server's own pixel layout for a 32-bit-per-pixel visual, written to `out`.
void toServerPixels(const QImage& image, const xcb_visualtype_t& visual, bool msbFirst,
                    uchar* out) {
    const std::uint32_t unused = ~(visual.red_mask | visual.green_mask | visual.blue_mask);
    const bool plain =
        visual.red_mask == 0xff0000 && visual.green_mask == 0xff00 && visual.blue_mask == 0xff;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = row[x];
            std::uint32_t pixel = plain ? (rgb & 0xffffff)
                                        : place(std::uint32_t(qRed(rgb)), visual.red_mask) |
                                              place(std::uint32_t(qGreen(rgb)), visual.green_mask) |
                                              place(std::uint32_t(qBlue(rgb)), visual.blue_mask);
            // Opaque where a 32-bit visual reads the spare bits as alpha.
            pixel |= unused;
            if (msbFirst) {
                out[0] = std::uint8_t(pixel >> 24);
                out[1] = std::uint8_t(pixel >> 16);
                out[2] = std::uint8_t(pixel >> 8);
                out[3] = std::uint8_t(pixel);
            } else {
                out[0] = std::uint8_t(pixel);
                out[1] = std::uint8_t(pixel >> 8);
                out[2] = std::uint8_t(pixel >> 16);
                out[3] = std::uint8_t(pixel >> 24);
            }
            out += 4;
        }
    }
}

// Memory the server reads bands of rows from in place (MIT-SHM), sparing a copy through the
// connection on each side; none where the server cannot attach it (a server on another
// machine, or of another user).
class SharedBand {
public:
    SharedBand(xcb_connection_t* c, std::size_t bytes)
        : m_c(c) {
        const xcb_query_extension_reply_t* shm = xcb_get_extension_data(c, &xcb_shm_id);
        if (!shm || !shm->present)
            return;
        const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (id < 0)
            return;
        void* at = shmat(id, nullptr, 0);
        const xcb_shm_seg_t segment = xcb_generate_id(c);
        xcb_generic_error_t* error =
            at == reinterpret_cast<void*>(-1)
                ? nullptr
                : xcb_request_check(c, xcb_shm_attach_checked(c, segment, std::uint32_t(id), 1));
        // Both sides hold it now, or never will: it goes once both let go.
        shmctl(id, IPC_RMID, nullptr);
        if (at == reinterpret_cast<void*>(-1))
            return;
        if (error) {
            std::free(error);
            shmdt(at);
            return;
        }
        m_segment = segment;
        m_data = static_cast<uchar*>(at);
    }
    ~SharedBand() {
        if (!m_data)
            return;
        // Before the connection closes: its resources outlive it (the pixmap must).
        xcb_shm_detach(m_c, m_segment);
        shmdt(m_data);
    }
    SharedBand(const SharedBand&) = delete;
    SharedBand& operator=(const SharedBand&) = delete;

    uchar* data() const { return m_data; }

    void put(xcb_drawable_t pixmap, xcb_gcontext_t gc, std::uint16_t width, std::uint16_t rows,
             int y, std::uint8_t depth) {
        xcb_shm_put_image(m_c, pixmap, gc, width, rows, 0, 0, width, rows, 0, std::int16_t(y),
                          depth, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, m_segment, 0);
        // The server reads the rows as it carries the request out: the next band waits for that.
        std::free(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr));
    }

private:
    xcb_connection_t* m_c;
    xcb_shm_seg_t m_segment = 0;
    uchar* m_data = nullptr;
};

QImage readPicture(const QString& file) {
    QImageReader reader(file);
    // Any picture we decode may have been written there, not only those under Qt's default.
    reader.setAllocationLimit(int(MaxDecodedBytes >> 20));
    QImage picture = reader.read();
    if (picture.isNull())
        throw AppError(
            QCoreApplication::translate("Desktop", "The wallpaper file \"%1\" cannot be read: %2")
                .arg(file, reader.errorString()));
    return picture;
}

// The monitors RandR 1.5 reports; none from an older server.
QList<QRect> randrMonitors(xcb_connection_t* c, xcb_window_t root) {
    QList<QRect> monitors;
    if (!hasExtension(c, &xcb_randr_id))
        return monitors;
    const ReplyPtr<xcb_randr_query_version_reply_t> version(
        xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr), &std::free);
    if (!version || version->major_version < 1 ||
        (version->major_version == 1 && version->minor_version < 5))
        return monitors;
    const ReplyPtr<xcb_randr_get_monitors_reply_t> reply(
        xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), nullptr), &std::free);
    if (!reply)
        return monitors;
    for (xcb_randr_monitor_info_iterator_t it =
             xcb_randr_get_monitors_monitors_iterator(reply.get());
         it.rem; xcb_randr_monitor_info_next(&it))
        monitors.append(QRect(it.data->x, it.data->y, it.data->width, it.data->height));
    return monitors;
}

QList<QRect> xineramaScreens(xcb_connection_t* c) {
    QList<QRect> screens;
    if (!hasExtension(c, &xcb_xinerama_id))
        return screens;
    const ReplyPtr<xcb_xinerama_is_active_reply_t> active(
        xcb_xinerama_is_active_reply(c, xcb_xinerama_is_active(c), nullptr), &std::free);
    if (!active || !active->state)
        return screens;
    const ReplyPtr<xcb_xinerama_query_screens_reply_t> reply(
        xcb_xinerama_query_screens_reply(c, xcb_xinerama_query_screens(c), nullptr), &std::free);
    if (!reply)
        return screens;
    for (xcb_xinerama_screen_info_iterator_t it =
             xcb_xinerama_query_screens_screen_info_iterator(reply.get());
         it.rem; xcb_xinerama_screen_info_next(&it))
        screens.append(QRect(it.data->x_org, it.data->y_org, it.data->width, it.data->height));
    return screens;
}

QList<QRect> monitorsOf(xcb_connection_t* c, xcb_window_t root) {
    return DesktopBackendX11::chooseMonitors(randrMonitors(c, root), xineramaScreens(c));
}

// The picture as placed on one area of the screen (a monitor, or the whole screen).
struct Piece {
    QRect area;
    QImage picture; // rescaled for the area where the placement asks for it
    Placement placement;
};

QList<Piece> piecesOf(QSize screen, const QList<QRect>& monitors, const QImage& picture,
                      Placement placement, bool determined) {
    QList<Piece> pieces;
    if (picture.isNull() || screen.isEmpty())
        return pieces;
    const QRect whole(QPoint(0, 0), screen);
    QList<QRect> areas;
    for (const QRect& monitor : monitors)
        if (const QRect area = monitor & whole; !area.isEmpty())
            areas.append(area);
    if (areas.isEmpty())
        areas.append(whole);
    for (const QRect& area : areas) {
        const MonitorPlacement placed =
            placeOnMonitor(picture.size(), area.size(), placement, determined);
        const bool rescale =
            placed.placement != Placement::Stretch && placed.size != picture.size();
        Placement drawn = placed.placement;
        // A picture of the area's own size is placed the same stretched or centred.
        if (drawn == Placement::Stretch && picture.size() == area.size())
            drawn = Placement::Center;
        pieces.append({area, rescale ? scaledPicture(picture, placed.size) : picture, drawn});
    }
    return pieces;
}

// Draws one piece into a band of the screen image: `band` holds the screen's rows from `top`
// on, and the painter is already moved to screen coordinates. Only the part of the picture
// that shows in the band is converted: for a large picture that is a screen's worth, not the
// whole picture.
void draw(QImage& band, int top, QPainter& painter, const Piece& piece) {
    const QRect bandArea = piece.area & QRect(0, top, band.width(), band.height());
    if (bandArea.isEmpty())
        return;
    const QImage& picture = piece.picture;
    painter.setClipRect(bandArea);
    switch (piece.placement) {
    case Placement::Center: {
        const QPoint at =
            piece.area.topLeft() + QPoint((piece.area.width() - picture.width()) / 2,
                                          (piece.area.height() - picture.height()) / 2);
        const QRect shown = QRect(at, picture.size()) & bandArea;
        if (shown.isEmpty())
            break;
        if (picture.format() == QImage::Format_BGR888) {
            // The common case, converted straight into the screen's rows.
            for (int y = shown.top(); y <= shown.bottom(); ++y) {
                const uchar* in =
                    picture.constScanLine(y - at.y()) + qsizetype(shown.left() - at.x()) * 3;
                auto* out = reinterpret_cast<QRgb*>(band.scanLine(y - top)) + shown.left();
                for (int x = 0; x < shown.width(); ++x, in += 3)
                    out[x] = qRgb(in[2], in[1], in[0]);
            }
        } else {
            painter.drawImage(shown.topLeft(), picture.copy(shown.translated(-at)));
        }
        break;
    }
    case Placement::Tile: {
        const QImage tile =
            picture.copy(QRect(QPoint(0, 0), picture.size().boundedTo(piece.area.size())));
        // From the first row of tiles that reaches into the band.
        const int skipped = (bandArea.top() - piece.area.top()) / picture.height();
        for (int y = piece.area.top() + skipped * picture.height(); y <= bandArea.bottom();
             y += picture.height())
            for (int x = piece.area.left(); x <= piece.area.right(); x += picture.width())
                painter.drawImage(QPoint(x, y), tile);
        break;
    }
    case Placement::Stretch:
        // A reduction averages each screen pixel's share of the picture; an enlargement is
        // interpolated.
        if (!areaScaleInto(picture, band, piece.area, top)) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(piece.area, picture);
        }
        break;
    }
}

// Rows from `top` on of the screen image: the fill, and the pieces on it.
void drawBand(QImage& band, int top, QColor fill, const QList<Piece>& pieces) {
    band.fill(fill);
    QPainter painter(&band);
    painter.translate(0, -top);
    for (const Piece& piece : pieces)
        draw(band, top, painter, piece);
}

} // namespace

// Our own connection to the server, told of every new root configuration: a new size of the
// screen, and (from RandR) a change of the monitors.
struct DesktopBackendX11::Watch {
    explicit Watch(Connection c)
        : connection(std::move(c))
        , notifier(xcb_get_file_descriptor(connection.get()), QSocketNotifier::Read) {}

    Connection connection;
    QSocketNotifier notifier;
    // One change arrives as several events: they are taken together.
    QTimer settle;
};

DesktopBackendX11::DesktopBackendX11(QString display, QString note)
    : m_display(std::move(display))
    , m_note(std::move(note)) {}

DesktopBackendX11::~DesktopBackendX11() = default;

QList<QRect> DesktopBackendX11::chooseMonitors(const QList<QRect>& randr,
                                               const QList<QRect>& xinerama) {
    // Where RandR knows every screen, Xinerama only repeats its monitors.
    for (const QRect& screen : xinerama)
        if (std::none_of(randr.begin(), randr.end(),
                         [&](const QRect& monitor) { return monitor.intersects(screen); }))
            return xinerama;
    return randr.isEmpty() ? xinerama : randr;
}

QString DesktopBackendX11::name() const {
    const QString name = QStringLiteral("X11 root window");
    return m_note.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, m_note);
}

QImage DesktopBackendX11::compose(QSize screen, QColor fill, const QImage& picture,
                                  Placement placement) {
    return composeMonitors(screen, {}, fill, picture, placement, false);
}

QImage DesktopBackendX11::composeMonitors(QSize screen, const QList<QRect>& monitors, QColor fill,
                                          const QImage& picture, Placement placement,
                                          bool determined, int bandRows) {
    QImage image(screen, QImage::Format_RGB32);
    if (image.isNull())
        throw AppError(
            QCoreApplication::translate("Desktop", "Not enough memory to draw the wallpaper."));
    const QList<Piece> pieces = piecesOf(screen, monitors, picture, placement, determined);
    if (bandRows <= 0)
        bandRows = std::max(1, screen.height());
    for (int top = 0; top < screen.height(); top += bandRows) {
        // A band that is a view on the image's own rows.
        QImage band(image.scanLine(top), screen.width(), std::min(bandRows, screen.height() - top),
                    image.bytesPerLine(), QImage::Format_RGB32);
        drawBand(band, top, fill, pieces);
    }
    return image;
}

void DesktopBackendX11::setWallpaper(const QString& file, Placement placement) {
    show(file, placement, false);
}

void DesktopBackendX11::setWallpaperDetermined(const QString& file, Placement placement) {
    show(file, placement, true);
}

void DesktopBackendX11::show(const QString& file, Placement placement, bool determined) {
    setWallpaperPicture(file, placement, determined, readPicture(file));
}

void DesktopBackendX11::setWallpaperPicture(const QString& file, Placement placement,
                                            bool determined, const QImage& picture) {
    const std::lock_guard lock(m_drawing);
    publish(picture, placement, determined);
    m_file = file;
    m_placement = placement;
    m_determined = determined;
}

void DesktopBackendX11::setBackgroundColor(QColor color) {
    const std::lock_guard lock(m_drawing);
    m_color = color;
    // A picture some other program put there cannot be drawn again: leave it, the colour shows
    // with our next picture.
    if (m_file.isEmpty() && hasRootPixmap())
        return;
    // The fill is part of our drawing: draw the last picture again on the new colour. A picture
    // gone since is no reason to refuse the colour.
    QImage picture;
    if (!m_file.isEmpty()) {
        QImageReader reader(m_file);
        reader.setAllocationLimit(int(MaxDecodedBytes >> 20));
        picture = reader.read();
    }
    publish(picture, m_placement, m_determined);
}

void DesktopBackendX11::assumeWallpaper(const QString& file, Placement placement) {
    const std::lock_guard lock(m_drawing);
    m_file = file;
    m_placement = placement;
    followMonitors();
}

void DesktopBackendX11::followMonitors() {
    QCoreApplication* const app = QCoreApplication::instance();
    if (!app)
        return;
    // The watch needs the interface thread's event loop; a picture drawn on the worker asks
    // for it there.
    if (QThread::currentThread() != app->thread()) {
        QMetaObject::invokeMethod(
            app, [this] { followMonitors(); }, Qt::QueuedConnection);
        return;
    }
    if (m_watch)
        return;
    int screenNumber = 0;
    Connection connection = connectTo(m_display, screenNumber);
    xcb_connection_t* c = connection.get();
    const xcb_screen_t* screen = xcb_connection_has_error(c) ? nullptr : screenOf(c, screenNumber);
    if (!screen)
        return;
    const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &events);
    if (hasExtension(c, &xcb_randr_id)) {
        std::free(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
        xcb_randr_select_input(c, screen->root, XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE);
    }
    xcb_flush(c);
    m_watch = std::make_unique<Watch>(std::move(connection));
    Watch* watch = m_watch.get();
    watch->settle.setSingleShot(true);
    watch->settle.setInterval(100);
    QObject::connect(&watch->settle, &QTimer::timeout, [this] { monitorsChanged(); });
    QObject::connect(&watch->notifier, &QSocketNotifier::activated, [watch] {
        xcb_connection_t* link = watch->connection.get();
        bool changed = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(link)) {
            changed = true;
            std::free(event);
        }
        // A server gone has nothing more to tell.
        if (xcb_connection_has_error(link))
            watch->notifier.setEnabled(false);
        else if (changed)
            watch->settle.start();
    });
}

void DesktopBackendX11::monitorsChanged() {
    const std::lock_guard lock(m_drawing);
    int screenNumber = 0;
    const Connection connection = connectTo(m_display, screenNumber);
    xcb_connection_t* c = connection.get();
    const xcb_screen_t* screen = xcb_connection_has_error(c) ? nullptr : screenOf(c, screenNumber);
    if (!screen || (QSize(screen->width_in_pixels, screen->height_in_pixels) == m_drawnScreen &&
                    monitorsOf(c, screen->root) == m_drawnMonitors))
        return;
    // Nobody asked for this drawing: a failure can only be noted.
    try {
        publish(m_file.isEmpty() ? QImage() : readPicture(m_file), m_placement, m_determined);
    } catch (const AppError& error) {
        std::fprintf(stderr, "tessary: the wallpaper cannot be placed on the new monitors: %s\n",
                     qPrintable(error.text()));
    }
}

bool DesktopBackendX11::hasRootPixmap() const {
    int screenNumber = 0;
    const QByteArray displayName = m_display.toLocal8Bit();
    const Connection connection(
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber));
    xcb_connection_t* c = connection.get();
    xcb_screen_t* screen = xcb_connection_has_error(c) ? nullptr : screenOf(c, screenNumber);
    return screen && pixmapProperty(c, screen->root, atom(c, "_XROOTPMAP_ID")) != XCB_NONE;
}

std::optional<QColor> DesktopBackendX11::backgroundColor() const {
    return std::nullopt;
}

void DesktopBackendX11::assumeBackgroundColor(QColor color) {
    m_color = color;
}

void DesktopBackendX11::publish(const QImage& picture, Placement placement, bool determined) {
    int screenNumber = 0;
    const QByteArray displayName = m_display.toLocal8Bit();
    const Connection connection(
        xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber));
    xcb_connection_t* c = connection.get();
    if (xcb_connection_has_error(c))
        throw AppError(
            QCoreApplication::translate("Desktop", "The X display \"%1\" cannot be reached.")
                .arg(m_display.isEmpty() ? qEnvironmentVariable("DISPLAY") : m_display));
    xcb_screen_t* screen = screenOf(c, screenNumber);
    const xcb_visualtype_t* visual = screen ? visualOf(screen) : nullptr;
    if (!screen || !visual)
        throw AppError(
            QCoreApplication::translate("Desktop", "The X display has no usable screen."));
    if (bitsPerPixel(c, screen->root_depth) != 32 ||
        (screen->root_depth != 24 && screen->root_depth != 32))
        throw AppError(QCoreApplication::translate(
                           "Desktop", "The X display's colour depth of %1 bits is not supported.")
                           .arg(screen->root_depth));

    const std::uint16_t width = screen->width_in_pixels;
    const std::uint16_t height = screen->height_in_pixels;
    // The usual server takes our own pixels as they are (blue, green, red, spare byte, as a
    // little-endian 0x00rrggbb with the spare bits set): no converted copy then.
    const bool msbFirst = xcb_get_setup(c)->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    const bool sameLayout = !msbFirst && visual->red_mask == 0xff0000 &&
                            visual->green_mask == 0xff00 && visual->blue_mask == 0xff;
    const xcb_window_t root = screen->root;
    const QList<QRect> monitors = monitorsOf(c, root);
    const QList<Piece> pieces =
        piecesOf(QSize(width, height), monitors, picture, placement, determined);

    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, screen->root_depth, pixmap, root, width, height);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    {
        // The screen image goes out in bands of about a megabyte, each drawn just before: it is
        // never whole in our memory beside the picture. A request must also stay below the
        // server's limit.
        const std::size_t stride = std::size_t(width) * 4;
        const std::size_t maxBytes = std::size_t(xcb_get_maximum_request_length(c)) * 4 - 64;
        const int bandRows =
            int(std::max<std::size_t>(1, std::min(maxBytes, std::size_t(BandBytes)) / stride));
        SharedBand shared(c, stride * std::size_t(bandRows));
        // Drawn where the server reads it when it can, else beside it and converted.
        QImage drawn;
        QByteArray converted;
        if (!shared.data() || !sameLayout)
            drawn = QImage(width, bandRows, QImage::Format_RGB32);
        if (!sameLayout && !shared.data())
            converted.resize(qsizetype(stride) * bandRows);
        for (int y = 0; y < height; y += bandRows) {
            const int rows = std::min(bandRows, height - y);
            QImage band =
                drawn.isNull()
                    ? QImage(shared.data(), width, rows, qsizetype(stride), QImage::Format_RGB32)
                    : QImage(drawn.bits(), width, rows, drawn.bytesPerLine(), QImage::Format_RGB32);
            if (band.isNull())
                throw AppError(QCoreApplication::translate(
                    "Desktop", "Not enough memory to draw the wallpaper."));
            drawBand(band, y, m_color, pieces);
            const uchar* pixels = band.constBits();
            if (!sameLayout) {
                uchar* out =
                    shared.data() ? shared.data() : reinterpret_cast<uchar*>(converted.data());
                toServerPixels(band, *visual, msbFirst, out);
                pixels = out;
            }
            if (shared.data())
                shared.put(pixmap, gc, width, std::uint16_t(rows), y, screen->root_depth);
            else
                xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, width, std::uint16_t(rows),
                              0, std::int16_t(y), 0, screen->root_depth,
                              std::uint32_t(stride * std::size_t(rows)), pixels);
        }
    }
    xcb_free_gc(c, gc);

    const xcb_atom_t rootAtom = atom(c, "_XROOTPMAP_ID");
    const xcb_atom_t esetrootAtom = atom(c, "ESETROOT_PMAP_ID");
    const xcb_pixmap_t oldRoot = pixmapProperty(c, root, rootAtom);
    const xcb_pixmap_t oldEsetroot = pixmapProperty(c, root, esetrootAtom);

    for (const xcb_atom_t property : {rootAtom, esetrootAtom})
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, property, XCB_ATOM_PIXMAP, 32, 1,
                            &pixmap);
    xcb_change_window_attributes(c, root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(c, 0, root, 0, 0, 0, 0);

    // Any error so far (the server out of memory for the pixmap, say) must not leave a pixmap
    // published that nobody draws: ask for a reply, then look at what came back.
    ReplyPtr<xcb_get_input_focus_reply_t> sync(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr), &std::free);
    if (!sync)
        throw AppError(
            QCoreApplication::translate("Desktop", "The X display closed the connection."));
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
        const bool failed = event->response_type == 0;
        const int code = failed ? reinterpret_cast<xcb_generic_error_t*>(event)->error_code : 0;
        std::free(event);
        if (failed)
            throw AppError(QCoreApplication::translate(
                               "Desktop", "The X display refused the wallpaper (error %1).")
                               .arg(code));
    }

    // The previous setter kept its pixmap alive for us to free, as we keep ours for the next.
    // As other setters do, only a pixmap both names agree on is taken to be such a leftover;
    // one already gone is no error. A desktop that draws its own background (xfdesktop) names
    // its pixmap in _XROOTPMAP_ID alone, from a connection it keeps open: killing that client
    // would end the desktop, so a pixmap named once is never freed.
    if (oldEsetroot != XCB_NONE && oldEsetroot == oldRoot && oldEsetroot != pixmap)
        std::free(xcb_request_check(c, xcb_kill_client_checked(c, oldEsetroot)));
    xcb_set_close_down_mode(c, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    // Wait until the server has taken the mode: a connection closed right behind its last
    // request may be dropped before that request is read, and the pixmap with it.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    m_drawnScreen = QSize(width, height);
    m_drawnMonitors = monitors;
    followMonitors();
}
