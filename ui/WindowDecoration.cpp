#include "ui/WindowDecoration.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef REMINDER_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}

}  // namespace
#endif

void ShowNoCaptionOrIcon(QWidget* window) {
  window->setWindowTitle(QString());
#ifdef REMINDER_HAVE_XCB
  // Other platforms (offscreen among them) may offer the X11 interface without a connection.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 && QGuiApplication::platformName() == "xcb" ? x11->connection() : nullptr;
  if (!connection) return;
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_atom_t netName = Atom(connection, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
  const xcb_atom_t netIcon = Atom(connection, "_NET_WM_ICON");
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, "");
  if (netName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE)
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netName, utf8, 8, 0, "");
  if (netIcon != XCB_ATOM_NONE) xcb_delete_property(connection, id, netIcon);
  xcb_flush(connection);
#endif
}
