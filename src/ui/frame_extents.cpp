// The frame a window manager puts around a window, known before the window is shown.
#include "frame_extents.h"

#include <unistd.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tavro {
namespace {

// A connection of our own: Qt reads the events of its own, and the answer comes as a property.
struct Connection {
    xcb_connection_t* c;
    ~Connection() { xcb_disconnect(c); }
};

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The values of a 32-bit property, when it holds at least count of them.
bool cardinals(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
               uint32_t* values, int count) {
    const auto cookie = xcb_get_property(c, 0, w, property, type, 0, static_cast<uint32_t>(count));
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4 * count)
        return false;
    std::memcpy(values, xcb_get_property_value(reply.get()), 4 * static_cast<size_t>(count));
    return true;
}

}  // namespace

QSize windowManagerFrame() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    int screenNumber = 0;
    Connection conn{xcb_connect(nullptr, &screenNumber)};
    xcb_connection_t* c = conn.c;
    if (xcb_connection_has_error(c)) return {};
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i) xcb_screen_next(&it);
    if (it.rem == 0) return {};
    const xcb_screen_t* screen = it.data;

    const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    uint32_t wm = 0;
    if (check == XCB_ATOM_NONE || request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE ||
        !cardinals(c, screen->root, check, XCB_ATOM_WINDOW, &wm, 1))
        return {};  // no window manager: no frame

    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 0, 0, 100, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    // A window of fixed size, as the main window is: a window manager frames it without the
    // handle it gives resizable windows.
    uint32_t sizeHints[18] = {};
    sizeHints[0] = (1u << 4) | (1u << 5);  // PMinSize | PMaxSize
    sizeHints[5] = sizeHints[7] = 100;     // min width, max width
    sizeHints[6] = sizeHints[8] = 100;     // min height, max height
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, sizeHints);
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = w;
    event.type = request;
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
    // left, right, top, bottom; a window manager answers at once or not at all.
    uint32_t e[4] = {};
    bool answered = false;
    for (int tries = 0; tries < 50 && !answered; ++tries) {
        answered = cardinals(c, w, extents, XCB_ATOM_CARDINAL, e, 4);
        if (!answered) usleep(4000);
    }
    xcb_destroy_window(c, w);
    xcb_flush(c);
    if (!answered) return {};
    return QSize(static_cast<int>(e[0] + e[1]), static_cast<int>(e[2] + e[3]));
}

}  // namespace tavro
