#include "platform/x11/x11_applications.h"

#include <xcb/res.h>

#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {
namespace {

// The X clients owning the windows: the X-Resource extension's answer where
// the server has it, else the window's id without the bits a client numbers
// its own resources with (the server gives every client the same mask).
std::vector<std::uint32_t> clientsOf(X11Connection& connection,
                                     const std::vector<xcb_window_t>& windows) {
  xcb_connection_t* c = connection.xcb();
  const std::uint32_t mask = xcb_get_setup(c)->resource_id_mask;
  std::vector<std::uint32_t> clients;
  clients.reserve(windows.size());
  for (xcb_window_t window : windows) clients.push_back(window & ~mask);

  const xcb_query_extension_reply_t* resource = xcb_get_extension_data(c, &xcb_res_id);
  if (!resource || !resource->present) return clients;
  std::vector<xcb_res_query_client_ids_cookie_t> cookies;
  cookies.reserve(windows.size());
  for (xcb_window_t window : windows) {
    const xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_CLIENT_XID};
    cookies.push_back(xcb_res_query_client_ids(c, 1, &spec));
    connection.noteSent(cookies.back().sequence);
  }
  for (std::size_t i = 0; i < windows.size(); ++i) {
    auto reply = connection.reply(xcb_res_query_client_ids_reply, cookies[i]);
    if (!reply) continue;
    auto ids = xcb_res_query_client_ids_ids_iterator(reply.get());
    if (ids.rem > 0) clients[i] = ids.data->spec.client;
  }
  return clients;
}

}  // namespace

std::vector<std::optional<ApplicationKey>> applicationKeysOf(
    X11Connection& connection, const std::vector<xcb_window_t>& windows) {
  const std::vector<std::optional<WindowClass>> classes = windowClassesOf(connection, windows);
  std::vector<std::optional<ApplicationKey>> keys(windows.size());
  std::vector<xcb_window_t> classless;
  std::vector<std::size_t> classlessAt;
  for (std::size_t i = 0; i < windows.size(); ++i) {
    if (!classes[i]) continue;  // gone
    if (classes[i]->className) {
      keys[i] = ApplicationKey{*classes[i]->className, 0};
    } else {
      classless.push_back(windows[i]);
      classlessAt.push_back(i);
    }
  }
  const std::vector<std::uint32_t> clients = clientsOf(connection, classless);
  for (std::size_t j = 0; j < classless.size(); ++j) {
    keys[classlessAt[j]] = ApplicationKey{{}, clients[j]};
  }
  return keys;
}

ProcessID X11Applications::idOf(const ApplicationKey& key) {
  auto known = ids_.find(key);
  if (known != ids_.end()) return known->second;
  keys_.push_back(key);
  const auto id = static_cast<ProcessID>(keys_.size());
  ids_.emplace(key, id);
  return id;
}

std::optional<ApplicationKey> X11Applications::keyOf(ProcessID id) const {
  if (id < 1 || static_cast<std::size_t>(id) > keys_.size()) return std::nullopt;
  return keys_[static_cast<std::size_t>(id) - 1];
}

}  // namespace corvella::x11
