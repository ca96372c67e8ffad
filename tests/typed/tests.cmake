set(D ${CMAKE_CURRENT_LIST_DIR})

# The typed edits through the DLL; the picture exports also classic and on a system older than version 4.
qx_wine_test(dll_typed SOURCES ${D}/typed_edit_test.cpp ${D}/picture_exports_test.cpp)
qx_wine_test(dll_picture_classic CLASSIC SOURCES ${D}/picture_exports_test.cpp)
qx_wine_test(dll_picture_nt351 VERSION nt351 SOURCES ${D}/picture_exports_test.cpp)
