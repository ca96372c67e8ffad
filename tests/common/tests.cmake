set(D ${CMAKE_CURRENT_LIST_DIR})

# What every control shares, with the library linked in under an allocator
# that counts its live allocations and poisons freed memory: the number and
# line helpers on plain data, the one lifetime rule tried on every class, and
# exports called from a worker thread.
qx_wine_test(unit_common STATIC SOURCES ${D}/text_test.cpp ${D}/lifetime_test.cpp ${D}/thread_test.cpp
  ${D}/../harness/poison_alloc.cpp ${D}/../access/client.cpp)
target_link_libraries(unit_common PRIVATE oleacc oleaut32 ole32)

# Several UI threads, each with windows of every class, registering, painting
# and calling the exports at once, with a theme in force and in the classic
# look.
qx_wine_test(ui_threads SOURCES ${D}/ui_threads_test.cpp)
qx_wine_test(ui_threads_classic CLASSIC SOURCES ${D}/ui_threads_test.cpp)
