#include "platform/x11/x11_screens.h"

#include "platform/x11/screen_areas.h"
#include "platform/x11/x11_monitors.h"
#include "platform/x11/x11_window_properties.h"

namespace corvella::x11 {

std::vector<PlatformScreen> X11Screens::screens() {
  auto monitorsCookie = requestMonitors(connection_);
  auto rootCookie = xcb_get_geometry(connection_.xcb(), connection_.root());
  std::vector<xcb_window_t> clients = clientListStacking(connection_);
  std::vector<MonitorRect> monitors = monitorsReply(connection_, monitorsCookie);
  auto root = connection_.reply(xcb_get_geometry_reply, rootCookie);
  const std::uint32_t rootWidth = root ? root->width : connection_.screen().width_in_pixels;
  const std::uint32_t rootHeight = root ? root->height : connection_.screen().height_in_pixels;

  std::vector<Strut> struts;
  for (const auto& strut : strutsOf(connection_, clients)) {
    if (strut) struts.push_back(*strut);
  }
  std::vector<Rect> visible;
  visible.reserve(monitors.size());
  for (const MonitorRect& monitor : monitors) {
    visible.push_back(visibleArea(monitor, struts, rootWidth, rootHeight));
  }
  return platformScreens(monitors, visible);
}

}  // namespace corvella::x11
