# The host developer's kit, tried from the outside: the zip that `make dist`
# packs beside the build trees is unpacked into an empty folder, and hosts are
# built against it with MinGW through CMake and with an MSVC-style toolchain.
set(D ${CMAKE_CURRENT_LIST_DIR})
include(${PROJECT_SOURCE_DIR}/kit/version.cmake)
qx_version(kit_version_number ${PROJECT_SOURCE_DIR})
get_filename_component(dist_dir ${CMAKE_BINARY_DIR} DIRECTORY)
set(kit_work ${CMAKE_BINARY_DIR}/kit-test)
set(kit ${kit_work}/unpacked/qx_cntl-${kit_version_number})

if(QX_ARCH STREQUAL "i686")
  set(kit_arch x86)
else()
  set(kit_arch x64)
endif()

add_test(NAME kit_unpack_${QX_ARCH}
  COMMAND ${D}/unpack.sh ${dist_dir}/qx_cntl-${kit_version_number}.zip ${kit_work}/unpacked
    $<TARGET_FILE:qx_cntl>)
set_tests_properties(kit_unpack_${QX_ARCH} PROPERTIES FIXTURES_SETUP kit)

# The four DLLs' version resources, read under Wine.
qx_wine_test(kit_version SOURCES ${D}/version_test.cpp)
target_link_libraries(kit_version PRIVATE version)
set_tests_properties(kit_version_${QX_ARCH} PROPERTIES FIXTURES_REQUIRED kit ENVIRONMENT QX_KIT_DIR=${kit})

# Hosts of this tree's architecture built against the kit alone, and run:
# the example, by MinGW through CMake's find_package, and a host compiled by
# clang for the MSVC target and linked by lld-link.
add_test(NAME kit_example_build_${QX_ARCH}
  COMMAND ${D}/build-example.sh ${kit} ${kit_work}/example ${QX_ARCH})
set_tests_properties(kit_example_build_${QX_ARCH} PROPERTIES FIXTURES_REQUIRED kit
  FIXTURES_SETUP kit_example)
add_test(NAME kit_example_run_${QX_ARCH}
  COMMAND ${QX_WINE_ENV} WINEPREFIX=${QX_WINE_DIR}/themed
    ${D}/run-example.sh ${kit_work}/example/dialog.exe)
set_tests_properties(kit_example_run_${QX_ARCH} PROPERTIES
  FIXTURES_REQUIRED "kit;kit_example" RESOURCE_LOCK desktop TIMEOUT 60
  SKIP_RETURN_CODE ${QX_SKIP_CODE})

find_program(QX_CLANG NAMES clang clang-14)
add_test(NAME kit_msvc_host_${QX_ARCH}
  COMMAND ${QX_WINE_ENV} WINEPREFIX=${QX_WINE_DIR}/themed
    ${D}/msvc-host.sh ${kit} ${kit_work}/msvc ${kit_arch} ${QX_CLANG} ${QX_OBJDUMP})
set_tests_properties(kit_msvc_host_${QX_ARCH} PROPERTIES FIXTURES_REQUIRED kit
  RESOURCE_LOCK desktop TIMEOUT 120 SKIP_RETURN_CODE ${QX_SKIP_CODE})

# Checks of the sources that need no kit.
add_test(NAME kit_header_modes_${QX_ARCH}
  COMMAND ${D}/header-modes.sh ${PROJECT_SOURCE_DIR} ${kit_work}/headers ${QX_ARCH})
if(QX_ARCH STREQUAL "x86_64")
  add_test(NAME kit_docs_example
    COMMAND ${D}/docs-example.sh ${PROJECT_SOURCE_DIR} ${kit_work}/docs)
endif()
