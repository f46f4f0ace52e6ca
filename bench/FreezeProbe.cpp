// How long a window's program leaves its events unanswered: pings the window (_NET_WM_PING)
// every 10 ms for the given time and prints the longest wait for an answer, in milliseconds.
// A program that answers late is frozen for that long: it draws nothing and takes no input.
//
// Usage: bench_freeze WINDOW SECONDS (WINDOW as xdotool prints it, in decimal)
//
// With --step N TABS, it steps through the window's list instead, as a user does with the arrow
// keys: gives the window the focus, presses Tab TABS times (to reach the list), then presses
// Down N times, one press every SECONDS, and prints the longest freeze and the longest time
// from a press to a changed picture on screen (a row of pixels across the window at 40 % of its
// height, read back from the server), in milliseconds: "FREEZE PREVIEW".

#include <xcb/xcb.h>

#include <X11/keysym.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// The key code that gives `keysym` unshifted.
xcb_keycode_t keycodeOf(xcb_connection_t* c, xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, std::uint8_t(count)), nullptr);
    xcb_keycode_t found = 0;
    if (reply) {
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        for (int i = 0; i < count && !found; ++i)
            if (syms[i * reply->keysyms_per_keycode] == keysym)
                found = xcb_keycode_t(setup->min_keycode + i);
    }
    std::free(reply);
    return found;
}

class Probe {
public:
    Probe(xcb_connection_t* c, xcb_window_t root, xcb_window_t window)
        : m_c(c)
        , m_root(root)
        , m_window(window)
        , m_protocols(atom(c, "WM_PROTOCOLS"))
        , m_ping(atom(c, "_NET_WM_PING")) {}

    // Pings the window and waits for the answer: the milliseconds it took.
    double ping() {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = m_window;
        event.type = m_protocols;
        event.data.data32[0] = m_ping;
        event.data.data32[1] = ++m_serial; // the time field, echoed back
        event.data.data32[2] = m_window;
        const auto sent = Clock::now();
        xcb_send_event(m_c, 0, m_window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(m_c);
        bool answered = false;
        while (!answered) {
            pollfd fd{xcb_get_file_descriptor(m_c), POLLIN, 0};
            if (poll(&fd, 1, 10000) <= 0)
                break; // no answer for 10 s: counted as such
            while (xcb_generic_event_t* e = xcb_poll_for_event(m_c)) {
                if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                    const auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
                    answered =
                        answered || (m->data.data32[0] == m_ping && m->data.data32[1] == m_serial);
                }
                std::free(e);
            }
            if (xcb_connection_has_error(m_c))
                std::exit(1);
        }
        return std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    }

    void key(xcb_keycode_t code) {
        for (const std::uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
            xcb_key_press_event_t event{};
            event.response_type = type;
            event.detail = code;
            event.root = m_root;
            event.event = m_window;
            event.child = XCB_NONE;
            event.same_screen = 1;
            xcb_send_event(m_c, 0, m_window, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE,
                           reinterpret_cast<const char*>(&event));
        }
        xcb_flush(m_c);
    }

    // A row of the window's pixels across it, at 40 % of its height.
    std::string row() {
        xcb_get_geometry_reply_t* g =
            xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, m_window), nullptr);
        if (!g)
            return {};
        const std::uint16_t width = g->width;
        const std::int16_t y = std::int16_t(g->height * 2 / 5);
        std::free(g);
        xcb_get_image_reply_t* image = xcb_get_image_reply(
            m_c, xcb_get_image(m_c, XCB_IMAGE_FORMAT_Z_PIXMAP, m_window, 0, y, width, 1, ~0u),
            nullptr);
        if (!image)
            return {};
        std::string bytes(reinterpret_cast<const char*>(xcb_get_image_data(image)),
                          std::size_t(xcb_get_image_data_length(image)));
        std::free(image);
        return bytes;
    }

private:
    xcb_connection_t* m_c;
    xcb_window_t m_root;
    xcb_window_t m_window;
    xcb_atom_t m_protocols;
    xcb_atom_t m_ping;
    std::uint32_t m_serial = 0;
};

int stepThroughList(xcb_connection_t* c, xcb_window_t root, xcb_window_t window, double every,
                    int steps, int tabs) {
    Probe probe(c, root, window);
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    probe.ping();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    for (int i = 0; i < tabs; ++i)
        probe.key(keycodeOf(c, XK_Tab));
    probe.ping();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const xcb_keycode_t down = keycodeOf(c, XK_Down);
    double freeze = 0;
    double slowest = 0;
    for (int step = 0; step < steps; ++step) {
        const std::string before = probe.row();
        const auto pressed = Clock::now();
        probe.key(down);
        double seen = -1;
        const auto end = pressed + std::chrono::duration<double>(every);
        // Until the next press: ping, and look for the new picture.
        while (Clock::now() < end) {
            freeze = std::max(freeze, probe.ping());
            if (seen < 0 && probe.row() != before)
                seen = std::chrono::duration<double, std::milli>(Clock::now() - pressed).count();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        if (seen < 0)
            seen = every * 1000; // not seen before the next press
        slowest = std::max(slowest, seen);
    }
    std::printf("%.0f %.0f\n", freeze, slowest);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && !(argc == 6 && std::strcmp(argv[3], "--step") == 0)) {
        std::fprintf(stderr, "usage: bench_freeze WINDOW SECONDS [--step N TABS]\n");
        return 2;
    }
    const auto window = xcb_window_t(std::strtoul(argv[1], nullptr, 0));
    const double seconds = std::atof(argv[2]);
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (; screenNumber > 0; --screenNumber)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;
    // The answer goes to the root window, to whoever listens for its own changes.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS");
    const xcb_atom_t ping = atom(c, "_NET_WM_PING");
    if (argc == 6)
        return stepThroughList(c, root, window, seconds, std::atoi(argv[4]), std::atoi(argv[5]));

    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    double longest = 0;
    for (std::uint32_t serial = 1; Clock::now() < end; ++serial) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = protocols;
        event.data.data32[0] = ping;
        event.data.data32[1] = serial; // the time field, echoed back
        event.data.data32[2] = window;
        const auto sent = Clock::now();
        xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(c);
        bool answered = false;
        while (!answered) {
            pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
            if (poll(&fd, 1, 10000) <= 0)
                break; // no answer for 10 s: counted as such below
            while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
                if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
                    const auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
                    answered =
                        answered || (m->data.data32[0] == ping && m->data.data32[1] == serial);
                }
                std::free(e);
            }
            if (xcb_connection_has_error(c))
                return 1;
        }
        const double waited =
            std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
        if (waited > longest)
            longest = waited;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::printf("%.0f\n", longest);
    xcb_disconnect(c);
    return 0;
}
