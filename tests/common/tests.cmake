set(D ${CMAKE_CURRENT_LIST_DIR})

# What every control shares, with the library linked in under an allocator
# that counts its live allocations and poisons freed memory: the text and
# number helpers on plain data, the one lifetime rule tried on every class
# (the library's string table linked in too, for its refusals' tips),
# and exports and screen readers' calls in every thread case.
qx_wine_test(unit_common STATIC SOURCES ${D}/text_test.cpp ${D}/lifetime_test.cpp ${D}/thread_test.cpp
  ${D}/../harness/poison_alloc.cpp ${D}/../harness/acc_client.cpp ${PROJECT_SOURCE_DIR}/src/strings.rc)
target_link_libraries(unit_common PRIVATE oleacc oleaut32 ole32)

# What the threads of a process share, through the DLL: several UI threads
# at once in both looks, the registration counts, and the accessibility
# libraries this program does not import.
qx_wine_test(ui_threads SOURCES ${D}/ui_threads_test.cpp)
