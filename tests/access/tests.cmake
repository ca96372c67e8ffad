set(D ${CMAKE_CURRENT_LIST_DIR})

# The accessible object of the library's windows, on a window class of the
# test's own, asked through the system's accessibility client functions.
qx_wine_test(unit_access STATIC SOURCES ${D}/access_test.cpp)
target_link_libraries(unit_access PRIVATE oleacc oleaut32 ole32 uuid)
