// Shows UUIDs in their text form in test failure messages.
#pragma once

#include <ostream>

#include "core/grids/uuid.h"

namespace corvella {

inline void PrintTo(const UUID& uuid, std::ostream* stream) {
  *stream << uuid.uuidString();
}

}  // namespace corvella
