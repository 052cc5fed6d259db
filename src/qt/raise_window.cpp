// QtHost::BringToFront: finding another program's window by its title and raising it, through the
// X server where there is one.
#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "qt/qt_host.h"

#if defined(QUORVEL_HAVE_XCB) && QT_CONFIG(xcb)
#include <QGuiApplication>
#include <xcb/xcb.h>
#define QUORVEL_X11_FRONT 1
#endif

namespace quorvel {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

#if defined(QUORVEL_X11_FRONT)
namespace {

// Replies of xcb are malloc'ed and freed by the caller.
template <typename T>
struct Reply {
  T* p;
  explicit Reply(T* reply) : p(reply) {}
  ~Reply() { std::free(p); }
  Reply(const Reply&) = delete;
  Reply& operator=(const Reply&) = delete;
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  Reply r(xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(std::strlen(name)), name), nullptr));
  return r.p ? r.p->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// A property's bytes; nothing when the window lacks it.
std::optional<QByteArray> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type) {
  if (property == XCB_ATOM_NONE) return std::nullopt;
  Reply r(xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1u << 16), nullptr));
  if (!r.p || r.p->type == XCB_ATOM_NONE) return std::nullopt;
  return QByteArray(static_cast<const char*>(xcb_get_property_value(r.p)), xcb_get_property_value_length(r.p));
}

std::vector<xcb_window_t> WindowList(const std::optional<QByteArray>& bytes) {
  std::vector<xcb_window_t> list(size_t(bytes->size()) / sizeof(xcb_window_t));
  if (!list.empty()) std::memcpy(list.data(), bytes->constData(), list.size() * sizeof(xcb_window_t));
  return list;
}

// The title as the window manager shows it: _NET_WM_NAME (UTF-8), else WM_NAME (Latin-1).
bool HasTitle(xcb_connection_t* c, xcb_window_t w, const QString& title, xcb_atom_t netName, xcb_atom_t utf8) {
  if (auto name = Property(c, w, netName, utf8)) return QString::fromUtf8(*name) == title;
  if (auto name = Property(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING)) return QString::fromLatin1(*name) == title;
  return false;
}

// Without a window manager the top-level windows are the root's children; only those on screen
// or iconified count.
bool Shown(xcb_connection_t* c, xcb_window_t w, xcb_atom_t wmState) {
  Reply attr(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
  if (attr.p && attr.p->map_state == XCB_MAP_STATE_VIEWABLE) return true;
  auto state = Property(c, w, wmState, wmState);
  return state && state->size() >= 4 && *reinterpret_cast<const uint32_t*>(state->constData()) == 3;
}

bool RaiseX11Window(xcb_connection_t* c, const QString& title, xcb_window_t ours) {
  const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
  const xcb_atom_t active = Atom(c, "_NET_ACTIVE_WINDOW");
  const xcb_atom_t netName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  const xcb_atom_t wmState = Atom(c, "WM_STATE");
  for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem; xcb_screen_next(&it)) {
    const xcb_window_t root = it.data->root;
    auto managed = Property(c, root, clientList, XCB_ATOM_WINDOW);
    std::vector<xcb_window_t> candidates;
    if (managed) {
      candidates = WindowList(managed);
    } else {
      Reply tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
      if (tree.p)
        candidates.assign(xcb_query_tree_children(tree.p), xcb_query_tree_children(tree.p) + xcb_query_tree_children_length(tree.p));
    }
    for (xcb_window_t w : candidates) {
      if (w == ours || !HasTitle(c, w, title, netName, utf8)) continue;
      if (managed) {
        // The window manager's own request; source 2 says a user asked for it, which managers
        // that refuse focus stealing still honour.
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = w;
        ev.type = active;
        ev.data.data32[0] = 2;
        ev.data.data32[1] = XCB_CURRENT_TIME;
        ev.data.data32[2] = ours;
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
      } else {
        if (!Shown(c, w, wmState)) continue;
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_map_window(c, w);
        xcb_configure_window(c, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, w, XCB_CURRENT_TIME);
      }
      xcb_flush(c);
      return true;
    }
  }
  return false;
}

}  // namespace
#endif

bool QtHost::BringToFront(const std::string& windowTitle) {
  const QString title = Q(windowTitle);
#if defined(QUORVEL_X11_FRONT)
  // Other platforms may answer for X11 too (offscreen does, without a connection).
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (QGuiApplication::platformName() == "xcb" && x11 && x11->connection()) {
    const xcb_window_t ours = window_ ? xcb_window_t(window_->winId()) : 0;
    return RaiseX11Window(x11->connection(), title, ours);
  }
#endif
  // Elsewhere (Wayland, offscreen) another program's window cannot be reached: only this
  // program's own windows are found, and a program that is not found gets started.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->windowTitle() == title) {
      w->raise();
      w->activateWindow();
      return true;
    }
  }
  return false;
}

}  // namespace quorvel
