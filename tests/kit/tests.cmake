# The host developer's kit, tried from the outside: the zip that `make dist`
# packs beside the build trees is unpacked into an empty folder, and hosts are
# built against it with MinGW through CMake and with an MSVC-style toolchain.
set(D ${CMAKE_CURRENT_LIST_DIR})
include(${PROJECT_SOURCE_DIR}/kit/version.cmake)
qx_version(kit_version_number ${PROJECT_SOURCE_DIR})
get_filename_component(dist_dir ${CMAKE_BINARY_DIR} DIRECTORY)
set(kit_work ${CMAKE_BINARY_DIR}/kit-test)
set(kit ${kit_work}/unpacked/qx_cntl-${kit_version_number})

add_test(NAME kit_unpack
  COMMAND ${D}/unpack.sh ${dist_dir}/qx_cntl-${kit_version_number}.zip ${kit_work}/unpacked
    $<TARGET_FILE:qx_cntl>)
set_tests_properties(kit_unpack PROPERTIES FIXTURES_SETUP kit)

# The four DLLs' version resources, read under Wine.
qx_wine_test(kit_version SOURCES ${D}/version_test.cpp)
target_link_libraries(kit_version PRIVATE version)
set_tests_properties(kit_version PROPERTIES FIXTURES_REQUIRED kit ENVIRONMENT QX_KIT_DIR=${kit})

# The example, built by MinGW with find_package for both architectures; the
# 64-bit one runs.
foreach(cpu i686 x86_64)
  add_test(NAME kit_example_build_${cpu}
    COMMAND ${D}/build-example.sh ${kit} ${kit_work}/example-${cpu} ${cpu})
  set_tests_properties(kit_example_build_${cpu} PROPERTIES FIXTURES_REQUIRED kit
    FIXTURES_SETUP kit_example_${cpu})
endforeach()
add_test(NAME kit_example_run_x86_64
  COMMAND ${CMAKE_COMMAND} -E env WINEPREFIX=${QX_WINE_DIR}/themed
    ${D}/run-example.sh ${kit_work}/example-x86_64/dialog.exe)
set_tests_properties(kit_example_run_x86_64 PROPERTIES
  FIXTURES_REQUIRED "kit;kit_example_x86_64" RESOURCE_LOCK desktop TIMEOUT 60)

# Hosts compiled by clang for the MSVC target and linked by lld-link.
find_program(QX_CLANG NAMES clang clang-14)
foreach(arch x86 x64)
  add_test(NAME kit_msvc_host_${arch}
    COMMAND ${D}/msvc-host.sh ${kit} ${kit_work}/msvc-${arch} ${arch} ${QX_CLANG}
      x86_64-w64-mingw32-objdump)
  set_tests_properties(kit_msvc_host_${arch} PROPERTIES FIXTURES_REQUIRED kit)
endforeach()

# Checks of the sources that need no kit.
foreach(cpu i686 x86_64)
  add_test(NAME kit_header_modes_${cpu}
    COMMAND ${D}/header-modes.sh ${PROJECT_SOURCE_DIR} ${kit_work}/headers-${cpu} ${cpu})
endforeach()
add_test(NAME kit_docs_example
  COMMAND ${D}/docs-example.sh ${PROJECT_SOURCE_DIR} ${kit_work}/docs)
