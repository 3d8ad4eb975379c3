# corvella_add_tests(DIR <dir> LIBS <libs...> [LABELS <labels...>])
# One test executable per *_test.cpp file below DIR, named after the file.
function(corvella_add_tests)
  cmake_parse_arguments(ARG "" "DIR" "LIBS;LABELS" ${ARGN})
  file(GLOB_RECURSE test_sources CONFIGURE_DEPENDS "${ARG_DIR}/*_test.cpp")
  foreach(source IN LISTS test_sources)
    get_filename_component(name "${source}" NAME_WE)
    add_executable(${name} "${source}")
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main
                                          corvella_warnings)
    # Tests include shared helpers as "tests/support/...".
    target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_LABELS)
      set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
  endforeach()
endfunction()
