# What the tests need of scripts/packages-test, looked for in one place: a machine without some of
# it gets one message naming all that is missing, not a trace from the first search that failed.
find_package(GTest QUIET)
pkg_check_modules(MAD QUIET IMPORTED_TARGET mad)
find_file(Z3D_LIBFAKETIME libfaketime.so.1 PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/faketime /usr/lib/faketime)

set(missing "")
if(NOT GTest_FOUND)
  list(APPEND missing "GoogleTest (libgtest-dev)")
endif()
if(NOT MAD_FOUND)
  list(APPEND missing "libmad (libmad0-dev)")
endif()
if(NOT Z3D_LIBFAKETIME)
  list(APPEND missing "libfaketime (faketime)")
endif()
# The programs the tests start, each with the package that brings it.
foreach(entry Xvfb:xvfb xdotool:xdotool xprop:x11-utils xrandr:x11-xserver-utils openbox:openbox
              convert:imagemagick faketime:faketime madplay:madplay)
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 program)
  list(GET entry 1 package)
  find_program(Z3D_PROGRAM_${program} ${program})
  if(NOT Z3D_PROGRAM_${program})
    list(APPEND missing "${program} (${package})")
  endif()
endforeach()

if(missing)
  list(JOIN missing ", " missing)
  message(FATAL_ERROR "The tests need what scripts/packages-test lists; this machine lacks ${missing}.\n"
                      "Install the list (as root: scripts/install-packages scripts/packages scripts/packages-test), "
                      "or configure with -DZ3D_BUILD_TESTS=OFF.")
endif()
