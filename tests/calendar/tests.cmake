set(D ${CMAKE_CURRENT_LIST_DIR})

# The model, then the window (allocations made to fail) themed, classic, and its locale test in de and ja.
set(cal_window_sources ${D}/cal_window_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
qx_wine_test(unit_calendar STATIC SOURCES ${D}/cal_model_test.cpp ${cal_window_sources})
qx_wine_test(unit_calendar_classic STATIC CLASSIC SOURCES ${cal_window_sources})
foreach(l de_DE ja_JP)
  qx_wine_test(unit_calendar_${l} STATIC LOCALE ${l}.UTF-8 SOURCES ${cal_window_sources})
  set_tests_properties(unit_calendar_${l}_${QX_ARCH} PROPERTIES ENVIRONMENT GTEST_FILTER=Calendar.UserLocale)
endforeach()
foreach(t unit_calendar unit_calendar_classic unit_calendar_de_DE unit_calendar_ja_JP)
  target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endforeach()
