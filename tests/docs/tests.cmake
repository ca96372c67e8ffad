# The reference manual in docs/: the headers and its C examples compile as a
# host compiles them, every exported function is in it (docs_index), what it
# says of the controls holds (dll_manual), and its pictures are there, of the
# size the gallery makes.
set(D ${CMAKE_CURRENT_LIST_DIR})

# Where the kit's tests unpack the kit (the "kit" fixture, tests/kit).
add_test(NAME docs_snippets_${QX_ARCH}
  COMMAND ${D}/snippets.sh ${PROJECT_SOURCE_DIR} ${kit} ${CMAKE_BINARY_DIR}/docs-snippets ${QX_ARCH})
set_tests_properties(docs_snippets_${QX_ARCH} PROPERTIES FIXTURES_REQUIRED kit)

qx_wine_test(dll_manual SOURCES ${D}/manual_test.cpp ${PROJECT_SOURCE_DIR}/tests/harness/acc_client.cpp)
target_link_libraries(dll_manual PRIVATE oleacc oleaut32 ole32 uxtheme)

if(QX_ARCH STREQUAL "x86_64")
  add_test(NAME docs_index COMMAND ${D}/index.sh ${PROJECT_SOURCE_DIR})
endif()
add_test(NAME docs_gallery_${QX_ARCH}
  COMMAND ${QX_WINE_ENV} ${D}/gallery.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:qx_gallery> ${CMAKE_BINARY_DIR}/gallery-test
    ${QX_WINE_DIR})
set_tests_properties(docs_gallery_${QX_ARCH} PROPERTIES RESOURCE_LOCK desktop TIMEOUT 120 SKIP_RETURN_CODE ${QX_SKIP_CODE})
add_dependencies(wine_prefixes qx_gallery)
