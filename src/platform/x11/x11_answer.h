// Answer: the replies to requests already sent, collected when first wanted,
// so that the requests about many windows go out together and share one
// round trip. An answer dropped unread discards its replies, which the
// connection would otherwise keep for as long as it lives.
#pragma once

#include <xcb/xcb.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/x11/x11_connection.h"

namespace corvella::x11 {

template <typename T>
class Answer {
 public:
  Answer(X11Connection& connection, std::vector<unsigned int> sequences, std::function<T()> collect)
      : connection_(connection.xcb()),
        sequences_(std::move(sequences)),
        collect_(std::move(collect)) {
    for (unsigned int sequence : sequences_) connection.noteSent(sequence);
  }
  Answer(Answer&& other) noexcept
      : connection_(other.connection_),
        sequences_(std::exchange(other.sequences_, {})),
        collect_(std::move(other.collect_)) {}
  Answer& operator=(Answer&& other) noexcept {
    if (this != &other) {
      discard();
      connection_ = other.connection_;
      sequences_ = std::exchange(other.sequences_, {});
      collect_ = std::move(other.collect_);
    }
    return *this;
  }
  Answer(const Answer&) = delete;
  Answer& operator=(const Answer&) = delete;
  ~Answer() { discard(); }

  // Waits for the replies that have not come yet; called once.
  T operator()() {
    sequences_.clear();
    return collect_();
  }

 private:
  void discard() {
    for (unsigned int sequence : sequences_) xcb_discard_reply(connection_, sequence);
    sequences_.clear();
  }

  xcb_connection_t* connection_;
  std::vector<unsigned int> sequences_;
  std::function<T()> collect_;
};

}  // namespace corvella::x11
