# The installation run's end-to-end scenarios. The manifest's checksums are
# compiled into the scenario programs: the prefix has no way to the source tree.
file(READ ${CMAKE_SOURCE_DIR}/payload/manifest.tsv vaskel_manifest_text)
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/install/install_manifest.h
  CONTENT "#pragma once\ninline constexpr char kManifestText[] = R\"tsv(@vaskel_manifest_text@)tsv\";\n" @ONLY)

foreach(scenario install install_picker install_record)
  vaskel_e2e_test(${scenario} SOURCES scenarios/${scenario}_test.cpp)
  target_include_directories(e2e_${scenario} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/install)
  target_link_libraries(e2e_${scenario} PRIVATE bcrypt advapi32)
endforeach()
