# The kit that `make dist` packs, unpacked into an empty folder; hosts built against it alone, then run.
set(D ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(dist_dir ${CMAKE_BINARY_DIR} DIRECTORY)
set(kit_work ${CMAKE_BINARY_DIR}/kit-test)

add_test(NAME kit_unpack_${QX_ARCH}
  COMMAND ${D}/unpack.sh ${dist_dir}/qx_cntl-${kit_version_number}.zip ${kit_work}/unpacked
    $<TARGET_FILE:qx_cntl>)
find_program(QX_CLANG NAMES clang clang-14)
add_test(NAME kit_build_${QX_ARCH} COMMAND ${D}/build-hosts.sh ${kit} ${kit_work}/hosts ${QX_ARCH} ${QX_CLANG})
add_test(NAME kit_run_${QX_ARCH}
  COMMAND ${QX_WINE_ENV} WINEPREFIX=${QX_WINE_DIR}/themed ${D}/run-hosts.sh ${kit_work}/hosts)
set_tests_properties(kit_unpack_${QX_ARCH} PROPERTIES FIXTURES_SETUP kit)
set_tests_properties(kit_build_${QX_ARCH} PROPERTIES FIXTURES_REQUIRED kit FIXTURES_SETUP kit_hosts)
set_tests_properties(kit_run_${QX_ARCH} PROPERTIES FIXTURES_REQUIRED "kit;kit_hosts"
  RESOURCE_LOCK desktop TIMEOUT 60 SKIP_RETURN_CODE ${QX_SKIP_CODE})

if(QX_ARCH STREQUAL "x86_64")
  add_test(NAME kit_docs_example COMMAND ${D}/docs-example.sh ${PROJECT_SOURCE_DIR} ${kit_work}/docs)
endif()
