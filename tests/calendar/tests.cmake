set(D ${CMAKE_CURRENT_LIST_DIR})

# The calendar's date arithmetic and model directly.
qx_wine_test(unit_calendar STATIC SOURCES ${D}/julian_date_test.cpp ${D}/cal_model_test.cpp)
