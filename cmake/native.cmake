# The native build: the same logic over the simulated platform and the
# headless UI, with the unit tests and the build's own tools.

add_compile_options(-Wall -Wextra -O2)

find_package(ZLIB REQUIRED)
find_package(GTest REQUIRED)

file(GLOB PLATFORM_SIM_SOURCES CONFIGURE_DEPENDS platform/sim/*.cpp)
file(GLOB UI_HEADLESS_SOURCES CONFIGURE_DEPENDS ui/headless/*.cpp)

add_library(tessaly_native STATIC ${CORE_SOURCES} ${PLATFORM_SIM_SOURCES} ${UI_HEADLESS_SOURCES})
target_include_directories(tessaly_native PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tessaly_native PUBLIC ZLIB::ZLIB)

# Build-time tools, also run by the Windows builds (TESSALY_HOST_TOOLS): the
# icon painter, the demo payload's data maker, the payload builder and the
# layout packer.
add_executable(make_icon tools/icon/make_icon.cpp)
add_executable(make_demo_data tools/demo/make_demo_data.cpp)
add_library(payload_writer STATIC tools/payload/payload_writer.cpp tools/payload/manifest.cpp
  tools/payload/payload_build.cpp)
target_link_libraries(payload_writer PUBLIC tessaly_native)
add_executable(payload_builder tools/payload/payload_builder.cpp)
target_link_libraries(payload_builder PRIVATE payload_writer)
add_executable(pack_layout tools/layouts/pack_layout.cpp)
target_link_libraries(pack_layout PRIVATE payload_writer)
set_target_properties(make_icon make_demo_data payload_builder pack_layout PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# The native build makes the whole demo payload too, for the round-trip tests,
# the fuzzer's seeds and the benchmark. pr32.exe is a Windows program; here
# the cross compiler of the shipped exe makes it.
find_program(MINGW_I686_CXX i686-w64-mingw32-g++ REQUIRED)
set(NATIVE_PR32 ${CMAKE_BINARY_DIR}/demo/pr32.exe)
add_custom_command(OUTPUT ${NATIVE_PR32}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/demo
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TESSALY_SOURCE_DATE_EPOCH}
          ${MINGW_I686_CXX} -std=c++20 -Os -s -static -D_WIN32_WINNT=0x0601 -DNOMINMAX -DSTRICT
          -I${CMAKE_SOURCE_DIR} -o ${NATIVE_PR32} ${CMAKE_SOURCE_DIR}/tools/pr32/pr32.cpp -lwinspool
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/pr32/pr32.cpp ${CMAKE_SOURCE_DIR}/platform/win32/unique_handle.h
          ${TESSALY_SOURCE_DATE_FILE}
  COMMENT "Cross-compiling pr32.exe")
include(cmake/demo_payload.cmake)
add_demo_payload(${NATIVE_PR32} "")

# Native helpers of the acceptance tests (expected pictures, damaged payload
# items and the like):
# each tests/acceptance/native/<name>.cpp becomes acceptance/<name>, with the
# portable code it shares with the Windows test tools.
file(GLOB ACCEPTANCE_NATIVE_SOURCES CONFIGURE_DEPENDS tests/acceptance/native/*.cpp)
file(GLOB ACCEPTANCE_SHARED_SOURCES CONFIGURE_DEPENDS tests/acceptance/shared/*.cpp)
foreach(source ${ACCEPTANCE_NATIVE_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source} ${ACCEPTANCE_SHARED_SOURCES})
  target_link_libraries(${name} PRIVATE tessaly_native payload_writer)
  target_compile_definitions(${name} PRIVATE TESSALY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/acceptance)
endforeach()

# The unpacking benchmark (tests/bench); run by hand, never as a test, since a
# timed assertion would fail on a busy machine.
add_executable(payload_bench tests/bench/payload_bench.cpp)
target_link_libraries(payload_bench PRIVATE payload_writer)

# The synthetic payloads of the growth benchmark's test-only Windows builds
# (tests/bench/growth.cmake); made only when that benchmark asks for it.
add_executable(make_growth_payload EXCLUDE_FROM_ALL tests/bench/make_growth_payload.cpp)
target_link_libraries(make_growth_payload PRIVATE payload_writer)
set_target_properties(make_growth_payload PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

enable_testing()
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE tessaly_native payload_writer GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE TESSALY_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  TESSALY_DEMO_DIR="${DEMO_DIR}" TESSALY_PAYLOAD_DIR="${PAYLOAD_DIR}"
  TESSALY_PAYLOAD_MANIFEST="${PAYLOAD_MANIFEST}")
add_dependencies(unit_tests demo_payload)
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)
