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

add_executable(make_icon tools/icon/make_icon.cpp)
set_target_properties(make_icon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

# Native helpers of the acceptance tests (expected pictures and the like):
# each tests/acceptance/native/<name>.cpp becomes acceptance/<name>, with the
# portable code it shares with the Windows test tools.
file(GLOB ACCEPTANCE_NATIVE_SOURCES CONFIGURE_DEPENDS tests/acceptance/native/*.cpp)
file(GLOB ACCEPTANCE_SHARED_SOURCES CONFIGURE_DEPENDS tests/acceptance/shared/*.cpp)
foreach(source ${ACCEPTANCE_NATIVE_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source} ${ACCEPTANCE_SHARED_SOURCES})
  target_link_libraries(${name} PRIVATE tessaly_native)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/acceptance)
endforeach()

enable_testing()
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_link_libraries(unit_tests PRIVATE tessaly_native GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE TESSALY_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)
