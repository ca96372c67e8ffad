set(D ${CMAKE_CURRENT_LIST_DIR})

# Edit windows with the library linked in, under an allocator that can fail
# and that poisons freed memory.
qx_wine_test(unit_edit STATIC SOURCES ${D}/edit_host_test.cpp ${D}/../harness/poison_alloc.cpp)

# Edit windows through the DLL, as a host uses them, with a theme, in the
# classic look, and on a system older than version 4 (old 3-D border).
qx_wine_test(dll_edit SOURCES ${D}/edit_window_test.cpp ${D}/edit_dialog.rc)
qx_wine_test(dll_edit_classic CLASSIC SOURCES ${D}/edit_window_test.cpp ${D}/edit_dialog.rc)
qx_wine_test(dll_edit_nt351 VERSION nt351 SOURCES ${D}/edit_window_test.cpp ${D}/edit_dialog.rc)
foreach(t dll_edit dll_edit_classic dll_edit_nt351)
  target_link_libraries(${t} PRIVATE uxtheme)
endforeach()

# Edit windows under a double-byte code page.
qx_wine_test(dll_edit_dbcs LOCALE ja_JP.UTF-8 SOURCES ${D}/edit_dbcs_test.cpp)

# The habits every edit class shares (undo, Select All, the context menu,
# read-only, WM_GETFONT), with a theme and in the classic look; the program
# gives its own text for one menu item.
qx_wine_test(dll_habits SOURCES ${D}/habits_test.cpp ${D}/habits.rc)
qx_wine_test(dll_habits_classic CLASSIC SOURCES ${D}/habits_test.cpp ${D}/habits.rc)

# Edit windows following visual styles switched while they are open, with a
# theme in force and in the classic look; the handle counting is the
# benchmark's.
qx_wine_test(dll_edit_looks SOURCES ${D}/edit_looks_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
qx_wine_test(dll_edit_looks_classic CLASSIC SOURCES ${D}/edit_looks_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
foreach(t dll_edit_looks dll_edit_looks_classic)
  target_link_libraries(${t} PRIVATE uxtheme)
  target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endforeach()
