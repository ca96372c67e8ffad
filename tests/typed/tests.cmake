set(D ${CMAKE_CURRENT_LIST_DIR})

# Picture masks: the rules directly, then the exports through the DLL with a
# theme, in the classic look, and on a system older than version 4.
qx_wine_test(unit_picture_mask STATIC SOURCES ${D}/picture_mask_test.cpp)
qx_wine_test(dll_picture SOURCES ${D}/picture_exports_test.cpp)
qx_wine_test(dll_picture_classic CLASSIC SOURCES ${D}/picture_exports_test.cpp)
qx_wine_test(dll_picture_nt351 VERSION nt351 SOURCES ${D}/picture_exports_test.cpp)

# Integer and floating-point edits: their rules on plain text; stepping
# through the edit host with the library linked in; typing, the exports and
# the wheel through the DLL.
qx_wine_test(unit_number_rules STATIC SOURCES ${D}/number_rules_test.cpp)
qx_wine_test(unit_number_step STATIC SOURCES ${D}/number_step_test.cpp)
qx_wine_test(dll_number_edit SOURCES ${D}/number_edit_test.cpp)

# Picture and time edits: the bounds of their rules, double-byte characters,
# then their windows through the DLL.
qx_wine_test(unit_picture_time_rules STATIC SOURCES ${D}/picture_time_rules_test.cpp)
qx_wine_test(unit_picture_dbcs STATIC LOCALE ja_JP.UTF-8 SOURCES ${D}/picture_dbcs_test.cpp)
qx_wine_test(dll_picture_edit SOURCES ${D}/picture_edit_test.cpp)
qx_wine_test(dll_picture_edit_classic CLASSIC SOURCES ${D}/picture_edit_test.cpp)
qx_wine_test(dll_time_edit SOURCES ${D}/time_edit_test.cpp)
