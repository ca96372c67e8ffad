# Tests through the real DLL, as a host uses it.
set(W ${CMAKE_CURRENT_LIST_DIR})

qx_wine_test(dll_picture SOURCES ${W}/picture_exports_test.cpp)
qx_wine_test(dll_picture_classic CLASSIC SOURCES ${W}/picture_exports_test.cpp)
qx_wine_test(dll_picture_nt351 VERSION nt351 SOURCES ${W}/picture_exports_test.cpp)
