// Binding: a two-way connection to a value owned elsewhere (a field of a
// layout in the store, a row's message line).
#pragma once

#include <functional>

namespace corvella {

template <typename Value>
struct Binding {
  std::function<Value()> get;
  std::function<void(Value)> set;
};

}  // namespace corvella
