set(D ${CMAKE_CURRENT_LIST_DIR})

# Edits linked in under a poisoning allocator; through the DLL themed, classic, double-byte; habits; looks.
qx_wine_test(unit_edit STATIC SOURCES ${D}/edit_host_test.cpp ${D}/../harness/poison_alloc.cpp)
qx_wine_test(dll_edit SOURCES ${D}/edit_window_test.cpp)
qx_wine_test(dll_edit_classic CLASSIC SOURCES ${D}/edit_window_test.cpp)
qx_wine_test(dll_edit_dbcs LOCALE ja_JP.UTF-8 SOURCES ${D}/edit_dbcs_test.cpp)
qx_wine_test(dll_habits SOURCES ${D}/habits_test.cpp ${D}/../harness/host_strings.rc)
qx_wine_test(dll_habits_classic CLASSIC SOURCES ${D}/habits_test.cpp ${D}/../harness/host_strings.rc)
qx_wine_test(dll_edit_looks SOURCES ${D}/edit_looks_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
qx_wine_test(dll_edit_looks_classic CLASSIC SOURCES ${D}/edit_looks_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
target_include_directories(dll_edit_looks PRIVATE ${PROJECT_SOURCE_DIR}/bench)
target_include_directories(dll_edit_looks_classic PRIVATE ${PROJECT_SOURCE_DIR}/bench)
