// SPDX-License-Identifier: GPL-3.0-or-later
// A weston module for tests: a seat with a pointer and a keyboard that a test drives through
// a Unix socket, since weston's headless back-end has no input devices of its own; and the
// compositor's view of the windows, which no Wayland client may read. Loaded with
// `weston --modules=<this file>`; the socket's path is in MENGJIAN_WESTON_INPUT.
//
// One command a line, each answered with "ok" (after its answer lines) or "error":
//   move X Y         the pointer to (X, Y) on the screen
//   press / release  the left button
//   key CODE         an evdev key code pressed and released
//   focus            the title of the window under the pointer, as the compositor has it
//   grabbed          "yes" while a move or resize that a window asked for holds the pointer
//   windows          one line per window on the screen, topmost first: "X Y WIDTH HEIGHT TITLE"
//   shot TITLE FILE  the topmost window titled TITLE, as its client drew it, to FILE (PPM)
//
// The keyboard's map is the US layout, except that the key "1" types 钟, so that a test can
// type a Chinese keyword without an input method.

extern "C" {
#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>
#include <xkbcommon/xkbcommon.h>
}

#include <linux/input-event-codes.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

// Input entry points of libweston that its installed headers do not declare (a back-end's
// own interface); their signatures as in weston 10.
// NOLINTBEGIN(readability-identifier-naming): libweston's names
extern "C" {
void weston_seat_init(struct weston_seat *seat, struct weston_compositor *ec, const char *seatName);
int weston_seat_init_pointer(struct weston_seat *seat);
int weston_seat_init_keyboard(struct weston_seat *seat, struct xkb_keymap *keymap);
void notify_motion_absolute(struct weston_seat *seat, const struct timespec *time, double x, double y);
void notify_button(struct weston_seat *seat, const struct timespec *time, int32_t button,
                   enum wl_pointer_button_state state);
void notify_pointer_frame(struct weston_seat *seat);
void notify_key(struct weston_seat *seat, const struct timespec *time, uint32_t key,
                enum wl_keyboard_key_state state, enum weston_key_state_update updateState);
}
// NOLINTEND(readability-identifier-naming)

namespace {

constexpr char kKeymap[] = R"xkb(xkb_keymap {
  xkb_keycodes { include "evdev+aliases(qwerty)" };
  xkb_types { include "complete" };
  xkb_compat { include "complete" };
  xkb_symbols { include "pc+us+inet(evdev)"
    key <AE01> { [ U949F ] };
  };
};
)xkb";

struct Input
{
    weston_compositor *compositor = nullptr;
    weston_seat seat = {};
    std::string buffered;
};

Input *g_input = nullptr;

timespec now()
{
    timespec t = {};
    weston_compositor_get_time(&t);
    return t;
}

bool writeAll(int fd, const std::string &text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

// The desktop surfaces (windows and their popups) under the views, topmost first.
std::vector<std::pair<weston_view *, weston_desktop_surface *>> windows()
{
    std::vector<std::pair<weston_view *, weston_desktop_surface *>> found;
    weston_view *view = nullptr;
    wl_list_for_each(view, &g_input->compositor->view_list, link)
    {
        if (view->surface && weston_surface_is_desktop_surface(view->surface) && weston_view_is_mapped(view))
            found.emplace_back(view, weston_surface_get_desktop_surface(view->surface));
    }
    return found;
}

bool shoot(const std::string &title, const std::string &file)
{
    for (const auto &[view, surface] : windows()) {
        const char *t = weston_desktop_surface_get_title(surface);
        if (!t || title != t)
            continue;
        int width = 0;
        int height = 0;
        weston_surface_get_content_size(view->surface, &width, &height);
        if (width <= 0 || height <= 0)
            return false;
        std::vector<unsigned char> rgba(size_t(width) * size_t(height) * 4);
        if (weston_surface_copy_content(view->surface, rgba.data(), rgba.size(), 0, 0, width, height) < 0)
            return false;
        FILE *out = std::fopen(file.c_str(), "wb");
        if (!out)
            return false;
        std::fprintf(out, "P6\n%d %d\n255\n", width, height);
        for (size_t i = 0; i < rgba.size(); i += 4)
            std::fwrite(&rgba[i], 1, 3, out);
        return std::fclose(out) == 0;
    }
    return false;
}

std::string run(const std::string &line)
{
    std::istringstream in(line);
    std::string command;
    in >> command;
    const timespec t = now();
    if (command == "move") {
        double x = 0;
        double y = 0;
        if (!(in >> x >> y))
            return "error\n";
        notify_motion_absolute(&g_input->seat, &t, x, y);
        notify_pointer_frame(&g_input->seat);
    } else if (command == "press" || command == "release") {
        notify_button(&g_input->seat, &t, BTN_LEFT,
                      command == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                         : WL_POINTER_BUTTON_STATE_RELEASED);
        notify_pointer_frame(&g_input->seat);
    } else if (command == "key") {
        uint32_t code = 0;
        if (!(in >> code))
            return "error\n";
        notify_key(&g_input->seat, &t, code, WL_KEYBOARD_KEY_STATE_PRESSED, STATE_UPDATE_AUTOMATIC);
        const timespec later = now();
        notify_key(&g_input->seat, &later, code, WL_KEYBOARD_KEY_STATE_RELEASED, STATE_UPDATE_AUTOMATIC);
    } else if (command == "focus") {
        const weston_view *focus = g_input->seat.pointer_state->focus;
        const char *title =
            focus && weston_surface_is_desktop_surface(focus->surface)
                ? weston_desktop_surface_get_title(weston_surface_get_desktop_surface(focus->surface))
                : nullptr;
        return std::string(title ? title : "") + "\nok\n";
    } else if (command == "grabbed") {
        const weston_pointer *pointer = g_input->seat.pointer_state;
        return std::string(pointer->grab != &pointer->default_grab ? "yes" : "no") + "\nok\n";
    } else if (command == "windows") {
        std::string answer;
        for (const auto &[view, surface] : windows()) {
            const char *title = weston_desktop_surface_get_title(surface);
            answer += std::to_string(int(view->geometry.x)) + ' ' + std::to_string(int(view->geometry.y))
                      + ' ' + std::to_string(view->surface->width) + ' '
                      + std::to_string(view->surface->height) + ' ' + (title ? title : "") + '\n';
        }
        return answer + "ok\n";
    } else if (command == "shot") {
        std::string title;
        std::string file;
        if (!(in >> title >> file) || !shoot(title, file))
            return "error\n";
    } else {
        return "error\n";
    }
    return "ok\n";
}

int readCommands(int fd, uint32_t mask, void *data)
{
    auto *source = static_cast<wl_event_source **>(data);
    char chunk[4096];
    const ssize_t n = (mask & WL_EVENT_READABLE) ? ::read(fd, chunk, sizeof chunk) : 0;
    if (n <= 0) {
        wl_event_source_remove(*source);
        delete source;
        ::close(fd);
        return 0;
    }
    g_input->buffered.append(chunk, size_t(n));
    for (size_t end; (end = g_input->buffered.find('\n')) != std::string::npos;) {
        const std::string line = g_input->buffered.substr(0, end);
        g_input->buffered.erase(0, end + 1);
        writeAll(fd, run(line));
    }
    return 0;
}

int acceptConnection(int fd, uint32_t, void *)
{
    const int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return 0;
    auto *source = new wl_event_source *;
    *source = wl_event_loop_add_fd(wl_display_get_event_loop(g_input->compositor->wl_display), client,
                                   WL_EVENT_READABLE, readCommands, source);
    return 0;
}

} // namespace

// The entry point weston calls when it loads the module.
// NOLINTNEXTLINE(readability-identifier-naming): weston's name
extern "C" WL_EXPORT int wet_module_init(weston_compositor *compositor, int *, char **)
{
    const char *path = std::getenv("MENGJIAN_WESTON_INPUT");
    if (!path || std::strlen(path) >= sizeof(sockaddr_un::sun_path)) {
        weston_log("mengjian input: MENGJIAN_WESTON_INPUT names no usable socket path\n");
        return -1;
    }
    g_input = new Input;
    g_input->compositor = compositor;
    weston_seat_init(&g_input->seat, compositor, "mengjian-test");
    weston_seat_init_pointer(&g_input->seat);
    xkb_keymap *keymap = xkb_keymap_new_from_string(compositor->xkb_context, kKeymap,
                                                    XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap || weston_seat_init_keyboard(&g_input->seat, keymap) < 0) {
        weston_log("mengjian input: the keyboard map does not compile\n");
        return -1;
    }
    xkb_keymap_unref(keymap);

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path);
    ::unlink(path);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) < 0
        || ::listen(fd, 4) < 0) {
        weston_log("mengjian input: cannot listen on %s\n", path);
        return -1;
    }
    wl_event_loop_add_fd(wl_display_get_event_loop(compositor->wl_display), fd, WL_EVENT_READABLE,
                         acceptConnection, nullptr);
    return 0;
}
