set(D ${CMAKE_CURRENT_LIST_DIR})

# Every class as screen readers hear it, through the DLL; the host's strings name the first arrow button.
qx_wine_test(dll_access SOURCES ${D}/access_test.cpp ${D}/../harness/acc_client.cpp ${D}/../harness/host_strings.rc)
target_link_libraries(dll_access PRIVATE oleacc oleaut32 ole32 uuid)
