set(D ${CMAKE_CURRENT_LIST_DIR})

# The buttons themed and classic, with the benchmark's handle counting.
qx_wine_test(unit_button STATIC SOURCES ${D}/button_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
qx_wine_test(unit_button_classic STATIC CLASSIC SOURCES ${D}/button_test.cpp ${PROJECT_SOURCE_DIR}/bench/handles.cpp)
foreach(t unit_button unit_button_classic)
  target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endforeach()
