# GoogleTest and GMock built from the sources in GTEST_SOURCE_DIR (Debian's
# /usr/src/googletest), for builds where no installed GoogleTest matches the
# target, such as the i386 build. Gives the same target names as find_package
# (recent GoogleTest releases define some of them themselves).
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(lib gtest gtest_main gmock gmock_main)
  # Their own warnings are not ours to fix.
  target_compile_options(${lib} PRIVATE -Wno-error)
  if(NOT TARGET GTest::${lib})
    add_library(GTest::${lib} ALIAS ${lib})
  endif()
endforeach()
