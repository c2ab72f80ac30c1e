# GoogleTest, built for the target from Debian's sources (or VASKEL_GTEST_SOURCE).
if(NOT VASKEL_GTEST_SOURCE AND EXISTS /usr/src/googletest/CMakeLists.txt)
  set(VASKEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree" FORCE)
endif()
if(NOT EXISTS "${VASKEL_GTEST_SOURCE}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found at '${VASKEL_GTEST_SOURCE}': "
                      "set VASKEL_GTEST_SOURCE to a GoogleTest source tree, or BUILD_TESTING to OFF")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${VASKEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
