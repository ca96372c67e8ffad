set(D ${CMAKE_CURRENT_LIST_DIR})

# Edit windows with the library linked in, under an allocator that can fail
# and that poisons freed memory.
qx_wine_test(unit_edit STATIC SOURCES ${D}/edit_host_test.cpp ${D}/../harness/poison_alloc.cpp)

# Through the DLL: with a theme, in the classic look, on a system older than
# version 4 (old 3-D border), under a double-byte code page; the habits every
# class shares (the program gives its own text for one menu item); visual
# styles switched while they are open.
qx_wine_test(dll_edit SOURCES ${D}/edit_window_test.cpp ${D}/edit_dialog.rc)
qx_wine_test(dll_edit_classic CLASSIC SOURCES ${D}/edit_window_test.cpp ${D}/edit_dialog.rc)
qx_wine_test(dll_edit_nt351 VERSION nt351 SOURCES ${D}/edit_window_test.cpp ${D}/edit_dialog.rc)
qx_wine_test(dll_edit_dbcs LOCALE ja_JP.UTF-8 SOURCES ${D}/edit_dbcs_test.cpp)
qx_wine_test(dll_habits SOURCES ${D}/habits_test.cpp ${D}/habits.rc)
qx_wine_test(dll_habits_classic CLASSIC SOURCES ${D}/habits_test.cpp ${D}/habits.rc)
qx_wine_test(dll_edit_looks SOURCES ${D}/edit_looks_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
qx_wine_test(dll_edit_looks_classic CLASSIC SOURCES ${D}/edit_looks_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
foreach(t dll_edit dll_edit_classic dll_edit_nt351 dll_edit_looks dll_edit_looks_classic)
  target_link_libraries(${t} PRIVATE uxtheme)
endforeach()
foreach(t dll_edit_looks dll_edit_looks_classic)
  target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endforeach()
