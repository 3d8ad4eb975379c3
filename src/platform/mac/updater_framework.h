// Where MacUpdater looks for the update framework: this folder under the
// bundle's Contents/Frameworks. src/platform/mac/CMakeLists.txt reads the name
// from this line and installs the framework it is given under it, whatever
// that framework's own folder is called.
#pragma once

namespace corvella::mac {

inline constexpr char updaterFrameworkFolder[] = "Sparkle.framework";

}  // namespace corvella::mac
