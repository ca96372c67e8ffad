set(D ${CMAKE_CURRENT_LIST_DIR})

# The accessible object of the library's windows, on a window class of the
# tests' own: asked through the system's accessibility client functions, and
# the loading of the system's libraries in a program that imports none.
qx_wine_test(unit_access STATIC SOURCES ${D}/access_test.cpp ${D}/test_window.cpp ${D}/client.cpp)
target_link_libraries(unit_access PRIVATE oleacc oleaut32 ole32 uuid)
qx_wine_test(unit_access_loading STATIC SOURCES ${D}/access_loading_test.cpp ${D}/test_window.cpp)
