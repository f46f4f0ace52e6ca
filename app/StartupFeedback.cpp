#include "app/StartupFeedback.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            c, xcb_intern_atom(c, false, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : XCB_NONE;
}

// A value of the message, quoted where it holds a space, a quote or a backslash.
QByteArray quoted(const QByteArray& value) {
    if (!value.contains(' ') && !value.contains('"') && !value.contains('\\'))
        return value;
    QByteArray out = "\"";
    for (char ch : value) {
        if (ch == '"' || ch == '\\')
            out += '\\';
        out += ch;
    }
    return out + '"';
}

} // namespace

QByteArray StartupFeedback::launchId() {
    return qgetenv("DESKTOP_STARTUP_ID");
}

void StartupFeedback::end(const QByteArray& id) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (id.isEmpty() || !x11 || !x11->connection())
        return;
    xcb_connection_t* c = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t begin = atom(c, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(c, "_NET_STARTUP_INFO");
    if (!screen || begin == XCB_NONE || more == XCB_NONE)
        return;
    // The messages name a window of the sender's; an unmapped one does.
    const xcb_window_t sender = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, sender, screen->root, -100, -100, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    // The text, with its closing NUL, goes in pieces of 20 bytes.
    const QByteArray message = "remove: ID=" + quoted(id) + '\0';
    for (qsizetype offset = 0; offset < message.size(); offset += 20) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = sender;
        event.type = offset == 0 ? begin : more;
        std::memcpy(event.data.data8, message.constData() + offset,
                    static_cast<size_t>(qMin<qsizetype>(20, message.size() - offset)));
        xcb_send_event(c, false, screen->root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_destroy_window(c, sender);
    xcb_flush(c);
}
