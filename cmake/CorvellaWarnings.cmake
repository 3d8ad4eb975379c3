# Every target of ours links this: warnings are errors everywhere.
add_library(corvella_warnings INTERFACE)
target_compile_options(corvella_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wimplicit-fallthrough -Werror)
