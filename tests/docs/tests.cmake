# The manual in docs/: its C examples compile, every export is in it, its pictures are the gallery's.
set(D ${CMAKE_CURRENT_LIST_DIR})

# Where the kit's tests unpack the kit (the "kit" fixture, tests/kit).
add_test(NAME docs_snippets_${QX_ARCH}
  COMMAND ${D}/snippets.sh ${PROJECT_SOURCE_DIR} ${kit} ${CMAKE_BINARY_DIR}/docs-snippets ${QX_ARCH})
set_tests_properties(docs_snippets_${QX_ARCH} PROPERTIES FIXTURES_REQUIRED kit)

if(QX_ARCH STREQUAL "x86_64")
  add_test(NAME docs_index COMMAND ${D}/index.sh ${PROJECT_SOURCE_DIR})
endif()
add_test(NAME docs_gallery_${QX_ARCH}
  COMMAND ${QX_WINE_ENV} ${D}/gallery.sh ${PROJECT_SOURCE_DIR} $<TARGET_FILE:qx_gallery> ${CMAKE_BINARY_DIR}/gallery-test
    ${QX_WINE_DIR})
set_tests_properties(docs_gallery_${QX_ARCH} PROPERTIES RESOURCE_LOCK desktop TIMEOUT 120 SKIP_RETURN_CODE ${QX_SKIP_CODE})
add_dependencies(wine_prefixes qx_gallery)
