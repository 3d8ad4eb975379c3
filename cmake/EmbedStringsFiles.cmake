# cmake -DRESOURCES=<folder> -DOUTPUT=<file.cpp> -P EmbedStringsFiles.cmake
# Writes a C++ source holding every <language>.lproj/Localizable.strings
# found below RESOURCES, for embeddedStringsFiles() (platform/xdg). The file
# is only replaced when its content changes.
file(GLOB tables "${RESOURCES}/*.lproj/Localizable.strings")
list(SORT tables)
list(LENGTH tables count)
set(entries "")
foreach(table IN LISTS tables)
  get_filename_component(folder "${table}" DIRECTORY)
  get_filename_component(language "${folder}" NAME_WE)
  file(READ "${table}" text)
  string(FIND "${text}" ")corvella_strings\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${table} holds the raw string's end marker")
  endif()
  string(APPEND entries "    EmbeddedStringsFile{\"${language}\", R\"corvella_strings(${text})corvella_strings\"},\n")
endforeach()
file(WRITE "${OUTPUT}.new"
"// Generated from the macOS shell's resources by cmake/EmbedStringsFiles.cmake.
#include <array>

#include \"platform/xdg/locale_localizer.h\"

namespace corvella::xdg {

std::span<const EmbeddedStringsFile> embeddedStringsFiles() {
  static constexpr std::array<EmbeddedStringsFile, ${count}> files{{
${entries}  }};
  return files;
}

}  // namespace corvella::xdg
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
