# Puts the update framework into Corvella.app and signs the bundle: one step,
# run by the build after every other file of the bundle is in place and again
# whenever any of them changes, so the signature always covers what is there.
#
# cmake -DBUNDLE=<Corvella.app> -DIDENTITY=<identity or empty for ad hoc>
#       [-DFRAMEWORK_SOURCE=<folder> -DFRAMEWORK_NAME=<name>] -DSTAMP=<file>
#       -P sign_bundle.cmake
# codesign and ditto are the system's own, found on PATH.

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "Signing Corvella.app: `${command}` failed (${status})")
  endif()
endfunction()

if(NOT IS_DIRECTORY "${BUNDLE}")
  message(FATAL_ERROR "Signing Corvella.app: no bundle at ${BUNDLE}")
endif()
if(IDENTITY STREQUAL "")
  set(IDENTITY "-")
endif()
set(sign codesign --force --sign "${IDENTITY}" --timestamp=none)

# Only this step writes Contents/Frameworks: a framework dropped from the
# configuration leaves no stale copy behind.
set(frameworks "${BUNDLE}/Contents/Frameworks")
file(REMOVE_RECURSE "${frameworks}")
if(FRAMEWORK_SOURCE)
  file(MAKE_DIRECTORY "${frameworks}")
  # ditto copies the folder's contents, symbolic links kept, into a folder of
  # the name the application loads.
  run(ditto "${FRAMEWORK_SOURCE}" "${frameworks}/${FRAMEWORK_NAME}")
  run(${sign} "${frameworks}/${FRAMEWORK_NAME}")
endif()
run(${sign} "${BUNDLE}")
file(TOUCH "${STAMP}")
