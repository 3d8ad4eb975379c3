// The lines the daemon writes to standard error about its own start: where
// it cannot work, that another instance runs, that the control channel is
// off. Each is one line with its line feed.
#pragma once

#include <string>
#include <string_view>

namespace corvella {

std::string waylandWithoutXNotice();
std::string noWindowManagerNotice();
std::string alreadyRunningNotice(std::string_view socket);
std::string controlChannelOffNotice(std::string_view why);

// The same two facts as log entries, for an application whose standard error
// no one reads (Corvella.app started by the system).
std::string alreadyRunningLogEntry(std::string_view socket);
std::string controlChannelOffLogEntry(std::string_view why);

}  // namespace corvella
