set(D ${CMAKE_CURRENT_LIST_DIR})

# The greying library through its own DLL.
qx_wine_test(dll_qx_util SOURCES ${D}/qx_util_test.cpp)
target_link_libraries(dll_qx_util PRIVATE qx_util)
