set(D ${CMAKE_CURRENT_LIST_DIR})

# The calendar's date arithmetic and model directly.
qx_wine_test(unit_calendar STATIC SOURCES ${D}/julian_date_test.cpp ${D}/cal_model_test.cpp)

# The window through the DLL, with a theme and in the classic look.
qx_wine_test(dll_calendar SOURCES ${D}/cal_window_test.cpp)
qx_wine_test(dll_calendar_classic CLASSIC SOURCES ${D}/cal_window_test.cpp)

# Registration, and creation when the object cannot be made.
qx_wine_test(unit_cal_class STATIC SOURCES ${D}/cal_class_test.cpp)
