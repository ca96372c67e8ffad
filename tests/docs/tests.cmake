# The reference manual in docs/: its C examples build against the kit, its
# links lead somewhere, every exported function is in it (docs_index), what
# it says of the controls holds (dll_manual), and its gallery is what the DLL
# draws now.
set(D ${CMAKE_CURRENT_LIST_DIR})

# Where the kit's tests unpack the kit (the "kit" fixture, tests/kit).
include(${PROJECT_SOURCE_DIR}/kit/version.cmake)
qx_version(docs_kit_version ${PROJECT_SOURCE_DIR})
set(docs_kit ${CMAKE_BINARY_DIR}/kit-test/unpacked/qx_cntl-${docs_kit_version})
add_test(NAME docs_snippets_${QX_ARCH}
  COMMAND ${D}/snippets.sh ${PROJECT_SOURCE_DIR} ${docs_kit} ${CMAKE_BINARY_DIR}/docs-snippets ${QX_ARCH})
set_tests_properties(docs_snippets_${QX_ARCH} PROPERTIES FIXTURES_REQUIRED kit)

if(QX_ARCH STREQUAL "x86_64")
  add_test(NAME docs_links COMMAND ${D}/links.sh ${PROJECT_SOURCE_DIR})
  add_test(NAME docs_index COMMAND ${D}/index.sh ${PROJECT_SOURCE_DIR})
endif()

qx_wine_test(dll_manual SOURCES ${D}/manual_test.cpp ${PROJECT_SOURCE_DIR}/tests/harness/acc_client.cpp)
target_link_libraries(dll_manual PRIVATE oleacc oleaut32 ole32 uxtheme)

# The gallery is made by the 64-bit build.
if(QX_ARCH STREQUAL "x86_64")
  add_test(NAME docs_gallery
    COMMAND ${D}/gallery.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:qx_gallery> ${CMAKE_BINARY_DIR}/gallery-test
      ${QX_WINE_DIR})
  set_tests_properties(docs_gallery PROPERTIES RESOURCE_LOCK desktop TIMEOUT 120)
  add_dependencies(wine_prefixes qx_gallery)
endif()
