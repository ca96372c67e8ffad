set(D ${CMAKE_CURRENT_LIST_DIR})

# The calendar's arithmetic and model, then its window with the library linked
# in (so that its allocations can be made to fail), with a theme in force and
# in the classic look.
# The handle counting is the benchmark's.
qx_wine_test(unit_calendar STATIC SOURCES ${D}/cal_model_test.cpp ${D}/cal_window_test.cpp
  ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
qx_wine_test(unit_calendar_classic STATIC CLASSIC SOURCES ${D}/cal_window_test.cpp
  ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
foreach(t unit_calendar unit_calendar_classic)
  target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endforeach()
