set(D ${CMAKE_CURRENT_LIST_DIR})

# What every control shares, under an allocator that counts live blocks and poisons freed ones.
qx_wine_test(unit_common STATIC SOURCES ${D}/text_test.cpp ${D}/lifetime_test.cpp ${D}/thread_test.cpp
  ${D}/../harness/poison_alloc.cpp ${D}/../harness/acc_client.cpp ${PROJECT_SOURCE_DIR}/src/strings.rc)
target_link_libraries(unit_common PRIVATE oleacc oleaut32 ole32)

# What a process's threads share, through the DLL.
qx_wine_test(ui_threads SOURCES ${D}/ui_threads_test.cpp)
