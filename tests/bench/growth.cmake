# Test-only builds for the growth benchmark (tests/bench/payload_growth.sh),
# never built by default and never shipped: the run's driver
# (tests/acceptance/tools/run_installation_gui.cpp) carrying a synthetic
# payload of 1, 10 or 100 MiB in the demo payload's layout, made by the
# native build's make_growth_payload and packed by the payload builder, as
# bench/growth-<MB>/run_installation_gui.exe in this build. Build them with
#   cmake --build <this build> --target growth_payload_builds

set(GROWTH_MEGABYTES 1 10 100)
add_custom_target(growth_payload_builds)
foreach(mb ${GROWTH_MEGABYTES})
  set(dir ${CMAKE_BINARY_DIR}/bench/growth-${mb})
  set(containers)
  foreach(item ${PAYLOAD_ITEMS})
    list(APPEND containers ${dir}/payload/${item}.bin)
  endforeach()
  add_custom_command(OUTPUT ${dir}/payload/payload.rc ${containers}
    COMMAND ${TESSALY_HOST_TOOLS}/make_growth_payload ${PAYLOAD_MANIFEST} ${DEMO_DIR} ${mb} ${dir}
    COMMAND ${TESSALY_HOST_TOOLS}/payload_builder ${dir}/manifest.txt ${dir}/files
            ${dir}/payload
    DEPENDS ${PAYLOAD_RC} ${TESSALY_HOST_TOOLS}/make_growth_payload
            ${TESSALY_HOST_TOOLS}/payload_builder
    COMMENT "Making a synthetic payload of ${mb} MiB")
  set_source_files_properties(${dir}/payload/payload.rc PROPERTIES
    GENERATED TRUE OBJECT_DEPENDS "${containers}")
  add_executable(growth_${mb} WIN32 EXCLUDE_FROM_ALL
    tests/acceptance/tools/run_installation_gui.cpp
    ${CMAKE_BINARY_DIR}/tessaly-setup.rc
    ${dir}/payload/payload.rc
    $<TARGET_OBJECTS:tessaly_core>
    $<TARGET_OBJECTS:tessaly_ui_win32>
    $<TARGET_OBJECTS:${TESSALY_TOOLS_PLATFORM}>)
  target_include_directories(growth_${mb} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(growth_${mb} PRIVATE ZLIB::ZLIB ${WIN32_SYSTEM_LIBRARIES})
  add_dependencies(growth_${mb} packed_layouts)
  set_target_properties(growth_${mb} PROPERTIES
    OUTPUT_NAME run_installation_gui
    RUNTIME_OUTPUT_DIRECTORY ${dir})
  add_dependencies(growth_payload_builds growth_${mb})
endforeach()
