# The JPEG decoder, built for the target as a static library from Debian's
# source package (scripts/bootstrap.sh fetches it into .deps/), or from the source
# tree that VASKEL_JPEG_SOURCE names.
include(ExternalProject)
if(NOT VASKEL_JPEG_SOURCE)
  file(GLOB jpeg_candidates LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/.deps/libjpeg-turbo-*)
  list(FILTER jpeg_candidates EXCLUDE REGEX "\\.(tar|gz|xz|dsc)")
  if(jpeg_candidates)
    list(GET jpeg_candidates 0 jpeg_default)
    set(VASKEL_JPEG_SOURCE "${jpeg_default}" CACHE PATH "libjpeg-turbo source tree" FORCE)
  endif()
endif()
if(NOT EXISTS "${VASKEL_JPEG_SOURCE}/jpeglib.h")
  message(FATAL_ERROR "libjpeg-turbo sources not found at '${VASKEL_JPEG_SOURCE}': "
                      "run scripts/bootstrap.sh, or set VASKEL_JPEG_SOURCE to a libjpeg-turbo source tree")
endif()

set(jpeg_prefix ${CMAKE_BINARY_DIR}/libjpeg)
set(jpeg_build ${CMAKE_BINARY_DIR}/libjpeg-build)
set(jpeg_args
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=${jpeg_prefix}
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF
  -DCMAKE_INSTALL_LIBDIR=lib -DCMAKE_POLICY_DEFAULT_CMP0057=NEW
  # One small picture is decoded: no SIMD (its dispatch table pulls in the encoder's
  # too), and the linker drops what the decoder does not use.
  -DWITH_SIMD=OFF -DWITH_ARITH_ENC=OFF
  "-DCMAKE_C_FLAGS_RELEASE=-Os -DNDEBUG -ffunction-sections -fdata-sections -DNO_GETENV -D__USE_MINGW_ANSI_STDIO=0")
if(CMAKE_TOOLCHAIN_FILE)
  list(APPEND jpeg_args -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE})
else()
  list(APPEND jpeg_args -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER})
endif()
# Under make, $(MAKE) joins the outer build's job server; a nested cmake --build
# would not, and make warns about it.
if(CMAKE_GENERATOR MATCHES "Makefiles")
  set(jpeg_build_command $(MAKE) jpeg-static)
else()
  set(jpeg_build_command ${CMAKE_COMMAND} --build . --target jpeg-static)
endif()
ExternalProject_Add(libjpeg_build
  SOURCE_DIR ${VASKEL_JPEG_SOURCE}
  BINARY_DIR ${jpeg_build}
  CMAKE_ARGS ${jpeg_args}
  BUILD_COMMAND ${jpeg_build_command}
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${jpeg_build}/libjpeg.a
  UPDATE_COMMAND "" PATCH_COMMAND "")
# Used where it is built: jpeglib.h from the sources, jconfig.h from the build.
file(MAKE_DIRECTORY ${jpeg_build})
add_library(jpeg_static STATIC IMPORTED GLOBAL)
set_target_properties(jpeg_static PROPERTIES
  IMPORTED_LOCATION ${jpeg_build}/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES "${VASKEL_JPEG_SOURCE};${jpeg_build}")
add_dependencies(jpeg_static libjpeg_build)
