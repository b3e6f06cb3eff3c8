# The Windows builds: the shipped i686 exe, or the x86_64 test twins.

enable_language(RC)

if(NOT TESSALY_HOST_TOOLS)
  message(FATAL_ERROR "TESSALY_HOST_TOOLS must name the native build's tools folder")
endif()

# UNICODE: a call written without its A or W suffix is the wide one (docs/text.md).
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX STRICT UNICODE _UNICODE)
add_compile_options(-Os -ffunction-sections -fdata-sections -Wall -Wextra)
add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s)

# Link-time optimisation. MinGW's linker script keeps every .eh_frame, and an
# object's unwind table names each function in it, so --gc-sections cannot
# drop a function that nothing calls; with LTO the compiler sees the whole
# program and never emits such code in the first place. One partition: GCC 12
# for MinGW stops with an internal compiler error (binds_to_current_def_p)
# when it splits the program into several.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-flto>)
add_link_options(-flto -flto-partition=one)

# The installer runs its code on one thread (the GUI thread; the shell's
# callbacks come back on it), so a function's static is never initialised by
# two threads at once: plain guards do, and the runtime's locking guard code
# and the thread support under it stay out of the exe.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>)

# No run-time type information: the toolkit asks a control what it is through
# its own virtual functions (ui::Control::AsContainer, Is<T>), so no class
# needs a type_info record of its own. Exceptions keep theirs: the compiler
# still makes one for every type that is thrown.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)

# Every link of this build dates its program from the source
# (cmake/source_date_epoch.cmake).
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK
  "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TESSALY_SOURCE_DATE_EPOCH}")

include(cmake/zlib_inflate.cmake)

file(GLOB PLATFORM_WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
file(GLOB UI_WIN32_SOURCES CONFIGURE_DEPENDS ui/win32/*.cpp)

add_library(tessaly_core OBJECT ${CORE_SOURCES})
target_include_directories(tessaly_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tessaly_core PUBLIC ZLIB::ZLIB)

add_library(tessaly_ui_win32 OBJECT ${UI_WIN32_SOURCES})
target_include_directories(tessaly_ui_win32 PUBLIC ${CMAKE_SOURCE_DIR})

# The product icon, drawn by a native tool.
set(TESSALY_ICON ${CMAKE_BINARY_DIR}/tessaly.ico)
add_custom_command(OUTPUT ${TESSALY_ICON}
  COMMAND ${TESSALY_HOST_TOOLS}/make_icon ${TESSALY_ICON}
  DEPENDS ${TESSALY_HOST_TOOLS}/make_icon
  COMMENT "Drawing the product icon")

# The window layouts, each stored as one zlib stream
# (widgets/layout_resources.cpp inflates it): a third of their text's size.
set(TESSALY_PACKED_LAYOUTS ${CMAKE_BINARY_DIR}/layouts)
file(GLOB LAYOUT_FILES CONFIGURE_DEPENDS resources/layouts/*.layout)
set(PACKED_LAYOUTS)
foreach(layout ${LAYOUT_FILES})
  get_filename_component(layout_name ${layout} NAME)
  set(packed ${TESSALY_PACKED_LAYOUTS}/${layout_name}.z)
  add_custom_command(OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSALY_PACKED_LAYOUTS}
    COMMAND ${TESSALY_HOST_TOOLS}/pack_layout ${layout} ${packed}
    DEPENDS ${layout} ${TESSALY_HOST_TOOLS}/pack_layout
    COMMENT "Packing ${layout_name}")
  list(APPEND PACKED_LAYOUTS ${packed})
endforeach()
add_custom_target(packed_layouts DEPENDS ${PACKED_LAYOUTS})

set(TESSALY_RESOURCES ${CMAKE_SOURCE_DIR}/resources)
configure_file(resources/tessaly-setup.rc.in ${CMAKE_BINARY_DIR}/tessaly-setup.rc @ONLY)
file(GLOB_RECURSE RESOURCE_FILES CONFIGURE_DEPENDS resources/*)
set_source_files_properties(${CMAKE_BINARY_DIR}/tessaly-setup.rc PROPERTIES
  OBJECT_DEPENDS "${TESSALY_ICON};${RESOURCE_FILES};${PACKED_LAYOUTS}")

set(WIN32_SYSTEM_LIBRARIES shell32 ole32 gdi32 user32 kernel32)

# The demo payload's print utility, built for the installer's own
# architecture, so that each build's payload runs where that build runs.
add_executable(pr32 tools/pr32/pr32.cpp)
target_include_directories(pr32 PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(pr32 PRIVATE winspool)
set_target_properties(pr32 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/demo
  LINK_DEPENDS ${TESSALY_SOURCE_DATE_FILE})

# The payload: ten scrambled containers and payload.rc, compiled as a second
# resource script into every executable that carries the payload.
include(cmake/demo_payload.cmake)
add_demo_payload($<TARGET_FILE:pr32> pr32)
set_source_files_properties(${PAYLOAD_RC} PROPERTIES
  GENERATED TRUE OBJECT_DEPENDS "${PAYLOAD_CONTAINERS}")

# One installer executable over one platform variant.
function(add_installer target output_dir)
  add_library(${target}_platform OBJECT ${PLATFORM_WIN32_SOURCES})
  target_include_directories(${target}_platform PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${target}_platform PRIVATE ${ARGN})
  add_executable(${target} WIN32
    app/tessaly_main.cpp
    ${CMAKE_BINARY_DIR}/tessaly-setup.rc
    ${PAYLOAD_RC}
    $<TARGET_OBJECTS:tessaly_core>
    $<TARGET_OBJECTS:tessaly_ui_win32>
    $<TARGET_OBJECTS:${target}_platform>)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ZLIB::ZLIB ${WIN32_SYSTEM_LIBRARIES})
  add_dependencies(${target} demo_payload packed_layouts)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME tessaly-setup
    RUNTIME_OUTPUT_DIRECTORY ${output_dir}
    LINK_DEPENDS ${TESSALY_SOURCE_DATE_FILE})
endfunction()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_installer(tessaly_setup ${CMAKE_BINARY_DIR})
  set(TESSALY_TOOLS_PLATFORM tessaly_setup_platform)
else()
  # Twins of the shipped exe for the acceptance tests under wine64 where this
  # machine cannot run 32-bit code: one sees 64-bit Windows, the other is told
  # at build time that Windows is 32-bit.
  add_installer(tessaly_setup_twin64 ${CMAKE_BINARY_DIR}/twin64)
  add_installer(tessaly_setup_twin32 ${CMAKE_BINARY_DIR}/twin32 TESSALY_TWIN_AS_32BIT_WINDOWS)
  set(TESSALY_TOOLS_PLATFORM tessaly_setup_twin64_platform)
endif()

# The yardstick of the start-up benchmark (tests/bench/start_time.sh): a bare
# program with one empty window, linked like the installer.
add_executable(bare_window WIN32 tests/bench/bare_window.cpp)
target_link_libraries(bare_window PRIVATE user32 kernel32)
set_target_properties(bare_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# The acceptance tests' Windows programs, for the architecture of this build:
# i686 ones run beside the shipped exe in 32-bit and WOW64 prefixes, x86_64
# ones beside the twins.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/acceptance/tools/CMakeLists.txt)
  add_subdirectory(tests/acceptance/tools)
endif()

# Test-only builds with synthetic payloads for the growth benchmark; none is
# made unless asked for by name.
include(tests/bench/growth.cmake)
