// Sound: the system beep.
#pragma once

namespace corvella {

class Sound {
 public:
  virtual ~Sound() = default;
  virtual void beep() = 0;
};

}  // namespace corvella
