# The installation run's end-to-end scenarios. The checksums of the embedded files
# are compiled into the scenario programs: the prefix has no way to the build tree.
get_target_property(vaskel_embedded_table vaskel_payload VASKEL_EMBEDDED_TABLE)
get_filename_component(vaskel_embedded_table_dir ${vaskel_embedded_table} DIRECTORY)

foreach(scenario install install_picker install_record)
  vaskel_e2e_test(${scenario} SOURCES scenarios/${scenario}_test.cpp)
  target_include_directories(e2e_${scenario} PRIVATE ${vaskel_embedded_table_dir})
  add_dependencies(e2e_${scenario} vaskel_payload_data)
  target_link_libraries(e2e_${scenario} PRIVATE bcrypt advapi32)
endforeach()
