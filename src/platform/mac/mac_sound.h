// MacSound: the system beep.
#pragma once

#include "core/ports/sound.h"

namespace corvella::mac {

class MacSound final : public Sound {
 public:
  void beep() override;
};

}  // namespace corvella::mac
