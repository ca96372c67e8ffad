set(D ${CMAKE_CURRENT_LIST_DIR})

# The edit framework: the line buffer and the host with the library linked
# in; then edit windows through the DLL, painted with a theme, in the classic
# look, and on a system older than version 4 (old 3-D border).
qx_wine_test(unit_edit STATIC SOURCES ${D}/edit_buf_test.cpp ${D}/edit_host_test.cpp)
qx_wine_test(dll_edit SOURCES ${D}/edit_window_test.cpp)

# Painting, read back as pixels: themed, classic, and old 3-D.
qx_wine_test(dll_edit_paint SOURCES ${D}/edit_paint_test.cpp)
qx_wine_test(dll_edit_paint_classic CLASSIC SOURCES ${D}/edit_paint_test.cpp)
qx_wine_test(dll_edit_paint_nt351 VERSION nt351 SOURCES ${D}/edit_paint_test.cpp)
foreach(t dll_edit_paint dll_edit_paint_classic dll_edit_paint_nt351)
  target_link_libraries(${t} PRIVATE uxtheme)
endforeach()


# Registration of the whole library, in a clean process.
qx_wine_test(dll_registration SOURCES ${D}/library_registration_test.cpp)
