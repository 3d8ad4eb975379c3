#include "platform/posix/readiness_set.h"

#include <cerrno>
#include <cstring>

#if defined(__linux__)
#include <sys/epoll.h>
#else
#include <sys/event.h>
#include <sys/time.h>
#include <sys/types.h>

#include <algorithm>
#endif

namespace corvella::posix {
namespace {

constexpr int batch = 64;

}  // namespace

#if defined(__linux__)

std::unique_ptr<ReadinessSet> ReadinessSet::create(std::string* error) {
  FileDescriptor set(::epoll_create1(EPOLL_CLOEXEC));
  if (!set) {
    if (error) *error = std::string("epoll_create1: ") + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<ReadinessSet>(new ReadinessSet(std::move(set)));
}

bool ReadinessSet::watch(int descriptor, bool read, bool write) {
  epoll_event event{};
  event.events = (read ? EPOLLIN : 0u) | (write ? EPOLLOUT : 0u);
  event.data.fd = descriptor;
  if (::epoll_ctl(set_.get(), EPOLL_CTL_MOD, descriptor, &event) == 0) return true;
  return errno == ENOENT && ::epoll_ctl(set_.get(), EPOLL_CTL_ADD, descriptor, &event) == 0;
}

void ReadinessSet::forget(int descriptor) {
  ::epoll_ctl(set_.get(), EPOLL_CTL_DEL, descriptor, nullptr);
}

std::vector<ReadinessSet::Ready> ReadinessSet::ready() {
  epoll_event events[batch];
  const int count = ::epoll_wait(set_.get(), events, batch, 0);
  std::vector<Ready> ready;
  for (int i = 0; i < count; ++i) {
    const auto flags = events[i].events;
    ready.push_back({events[i].data.fd, (flags & EPOLLIN) != 0, (flags & EPOLLOUT) != 0,
                     (flags & (EPOLLHUP | EPOLLERR)) != 0});
  }
  return ready;
}

#else

std::unique_ptr<ReadinessSet> ReadinessSet::create(std::string* error) {
  FileDescriptor set(::kqueue());
  if (!set) {
    if (error) *error = std::string("kqueue: ") + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<ReadinessSet>(new ReadinessSet(std::move(set)));
}

bool ReadinessSet::watch(int descriptor, bool read, bool write) {
  auto known = std::find_if(filters_.begin(), filters_.end(),
                            [descriptor](const Filters& f) { return f.descriptor == descriptor; });
  if (known == filters_.end()) {
    filters_.push_back({descriptor, false, false});
    known = filters_.end() - 1;
  }
  struct kevent changes[2];
  int count = 0;
  if (read != known->read) {
    EV_SET(&changes[count++], descriptor, EVFILT_READ, read ? EV_ADD : EV_DELETE, 0, 0, nullptr);
  }
  if (write != known->write) {
    EV_SET(&changes[count++], descriptor, EVFILT_WRITE, write ? EV_ADD : EV_DELETE, 0, 0, nullptr);
  }
  known->read = read;
  known->write = write;
  return count == 0 || ::kevent(set_.get(), changes, count, nullptr, 0, nullptr) == 0;
}

void ReadinessSet::forget(int descriptor) {
  watch(descriptor, false, false);
  filters_.erase(
      std::remove_if(filters_.begin(), filters_.end(),
                     [descriptor](const Filters& f) { return f.descriptor == descriptor; }),
      filters_.end());
}

std::vector<ReadinessSet::Ready> ReadinessSet::ready() {
  struct kevent events[batch];
  const struct timespec now {};
  const int count = ::kevent(set_.get(), nullptr, 0, events, batch, &now);
  std::vector<Ready> ready;
  for (int i = 0; i < count; ++i) {
    const int descriptor = static_cast<int>(events[i].ident);
    const bool hungUp = (events[i].flags & (EV_EOF | EV_ERROR)) != 0;
    auto known = std::find_if(ready.begin(), ready.end(),
                              [descriptor](const Ready& r) { return r.descriptor == descriptor; });
    if (known == ready.end()) {
      ready.push_back({descriptor, false, false, false});
      known = ready.end() - 1;
    }
    if (events[i].filter == EVFILT_READ) known->readable = true;
    if (events[i].filter == EVFILT_WRITE) known->writable = true;
    known->hungUp = known->hungUp || hungUp;
  }
  return ready;
}

#endif

}  // namespace corvella::posix
