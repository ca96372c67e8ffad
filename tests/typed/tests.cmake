set(D ${CMAKE_CURRENT_LIST_DIR})

# Picture masks: the rules directly, then the exports through the DLL with a
# theme, in the classic look, and on a system older than version 4.
qx_wine_test(unit_picture_mask STATIC SOURCES ${D}/picture_mask_test.cpp)
qx_wine_test(dll_picture SOURCES ${D}/picture_exports_test.cpp)
qx_wine_test(dll_picture_classic CLASSIC SOURCES ${D}/picture_exports_test.cpp)
qx_wine_test(dll_picture_nt351 VERSION nt351 SOURCES ${D}/picture_exports_test.cpp)

# Integer and floating-point edits: their rules directly.
qx_wine_test(unit_int_rules STATIC SOURCES ${D}/int_rules_test.cpp)
qx_wine_test(unit_float_rules STATIC SOURCES ${D}/float_rules_test.cpp)

# Integer and floating-point edits through real windows: stepping through the
# edit host with the library linked in, then typing and the exports through
# the DLL. They use the keyboard focus, shared by every process on the display.
qx_wine_test(unit_number_step STATIC SOURCES ${D}/number_step_test.cpp)
qx_wine_test(dll_int_edit SOURCES ${D}/int_edit_test.cpp)
qx_wine_test(dll_float_edit SOURCES ${D}/float_edit_test.cpp)
set_tests_properties(unit_number_step dll_int_edit dll_float_edit PROPERTIES RESOURCE_LOCK desktop)
