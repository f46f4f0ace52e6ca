// How long a window's program leaves its events unanswered: pings the window (_NET_WM_PING)
// every 10 ms for the given time and prints the longest wait for an answer, in milliseconds.
// A program that answers late is frozen for that long: it draws nothing and takes no input.
//
// Usage: bench_freeze WINDOW SECONDS (WINDOW as xdotool prints it, in decimal)

#include <xcb/xcb.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_freeze WINDOW SECONDS\n");
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

    using Clock = std::chrono::steady_clock;
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
