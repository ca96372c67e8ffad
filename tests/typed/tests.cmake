set(D ${CMAKE_CURRENT_LIST_DIR})

# Picture masks: the rules directly, then the exports through the DLL with a
# theme, in the classic look, and on a system older than version 4.
qx_wine_test(unit_picture_mask STATIC SOURCES ${D}/picture_mask_test.cpp)
qx_wine_test(dll_picture SOURCES ${D}/picture_exports_test.cpp)
qx_wine_test(dll_picture_classic CLASSIC SOURCES ${D}/picture_exports_test.cpp)
qx_wine_test(dll_picture_nt351 VERSION nt351 SOURCES ${D}/picture_exports_test.cpp)

# Picture and time edits: the rules on plain data.
qx_wine_test(unit_picture_time_rules STATIC SOURCES ${D}/picture_time_rules_test.cpp)
qx_wine_test(unit_picture_dbcs STATIC LOCALE ja_JP.UTF-8 SOURCES ${D}/picture_dbcs_test.cpp)

# Picture and time edit windows through the DLL.
qx_wine_test(dll_picture_edit SOURCES ${D}/picture_edit_test.cpp)
qx_wine_test(dll_picture_edit_classic CLASSIC SOURCES ${D}/picture_edit_test.cpp)
qx_wine_test(dll_time_edit SOURCES ${D}/time_edit_test.cpp)
# They use the keyboard focus and the clipboard, shared by every process on
# the display: they do not run at the same time as other such programs.
set_tests_properties(dll_picture_edit dll_picture_edit_classic dll_time_edit
  PROPERTIES RESOURCE_LOCK desktop)
