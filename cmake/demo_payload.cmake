# The demo payload, made from this tree's own sources in either build:
#   ${CMAKE_BINARY_DIR}/demo      the files the installer carries (the DOS
#                                 programs, icon, data files, pr32.exe)
#   ${CMAKE_BINARY_DIR}/payload   the payload builder's output: one scrambled
#                                 container per item and payload.rc
# Target demo_payload stands for all of it.
#
# The native build runs its own tools; a Windows build runs the native
# build's tools from TESSALY_HOST_TOOLS. The caller names pr32.exe and what
# makes it: a cross-built target in a Windows build (same architecture as the
# installer that carries it), a cross compiler run in the native build.

find_program(NASM_EXECUTABLE nasm REQUIRED)

set(DEMO_DIR ${CMAKE_BINARY_DIR}/demo)
set(PAYLOAD_DIR ${CMAKE_BINARY_DIR}/payload)
set(PAYLOAD_MANIFEST ${CMAKE_SOURCE_DIR}/resources/payload/manifest.txt)
set(PAYLOAD_RC ${PAYLOAD_DIR}/payload.rc)
set(PAYLOAD_ITEMS rs_cmd rs_exe rs_qdb1 rs_qdb2 rs_hlp rs_icon rs_qdbv4 rs_qdbv4add rs_readme rs_pr32)
set(PAYLOAD_CONTAINERS)
foreach(item ${PAYLOAD_ITEMS})
  list(APPEND PAYLOAD_CONTAINERS ${PAYLOAD_DIR}/${item}.bin)
endforeach()

# A native tool's path and what a command that runs it depends on.
function(demo_tool variable name)
  if(TARGET ${name})
    set(${variable} $<TARGET_FILE:${name}> PARENT_SCOPE)
    set(${variable}_DEPENDS ${name} PARENT_SCOPE)
  else()
    set(${variable} ${TESSALY_HOST_TOOLS}/${name} PARENT_SCOPE)
    set(${variable}_DEPENDS ${TESSALY_HOST_TOOLS}/${name} PARENT_SCOPE)
  endif()
endfunction()

function(add_demo_payload pr32_exe pr32_depends)
  demo_tool(MAKE_DEMO_DATA make_demo_data)
  demo_tool(MAKE_ICON make_icon)
  demo_tool(PAYLOAD_BUILDER payload_builder)
  set(dos ${CMAKE_SOURCE_DIR}/tools/dos)

  set(data ${DEMO_DIR}/dornw_wheels.bin ${DEMO_DIR}/wheels6.qdb ${DEMO_DIR}/wheels5.qdb
           ${DEMO_DIR}/draws.qdb ${DEMO_DIR}/drawsadd.qdb)
  add_custom_command(OUTPUT ${data}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DEMO_DIR}
    COMMAND ${MAKE_DEMO_DATA} ${DEMO_DIR}
    DEPENDS ${MAKE_DEMO_DATA_DEPENDS}
    COMMENT "Making the demo payload's wheels and draw histories")

  add_custom_command(OUTPUT ${DEMO_DIR}/dornw.exe
    COMMAND ${NASM_EXECUTABLE} -f bin -I ${dos}/ -I ${DEMO_DIR}/ -o ${DEMO_DIR}/dornw.exe ${dos}/dornw.asm
    DEPENDS ${dos}/dornw.asm ${dos}/mz.inc ${DEMO_DIR}/dornw_wheels.bin
    COMMENT "Assembling dornw.exe")
  add_custom_command(OUTPUT ${DEMO_DIR}/tessaly.exe
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DEMO_DIR}
    COMMAND ${NASM_EXECUTABLE} -f bin -I ${dos}/ -o ${DEMO_DIR}/tessaly.exe ${dos}/tessaly.asm
    DEPENDS ${dos}/tessaly.asm ${dos}/mz.inc
    COMMENT "Assembling tessaly.exe")
  add_custom_command(OUTPUT ${DEMO_DIR}/tesicon.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DEMO_DIR}
    COMMAND ${MAKE_ICON} ${DEMO_DIR}/tesicon.ico
    DEPENDS ${MAKE_ICON_DEPENDS}
    COMMENT "Drawing tesicon.ico")

  file(GLOB payload_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/payload/*)
  add_custom_command(OUTPUT ${PAYLOAD_RC} ${PAYLOAD_CONTAINERS}
    COMMAND ${PAYLOAD_BUILDER} ${PAYLOAD_MANIFEST} ${DEMO_DIR} ${PAYLOAD_DIR}
    DEPENDS ${PAYLOAD_BUILDER_DEPENDS} ${payload_sources} ${data} ${DEMO_DIR}/dornw.exe
            ${DEMO_DIR}/tessaly.exe ${DEMO_DIR}/tesicon.ico ${pr32_exe} ${pr32_depends}
    COMMENT "Building the payload")
  add_custom_target(demo_payload ALL DEPENDS ${PAYLOAD_RC})
endfunction()
