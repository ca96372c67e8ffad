set(D ${CMAKE_CURRENT_LIST_DIR})

# Bitmap and month/year buttons, with a theme and (the _classic twins) with
# visual styles off. The fixture draws reference themed parts with the
# visual-styles library and asks the greying library for greyed tones.
foreach(look "" _classic)
  set(flag "")
  if(look)
    set(flag CLASSIC)
  endif()
  qx_wine_test(dll_button${look} ${flag} SOURCES ${D}/bmp_btn_test.cpp)
  qx_wine_test(unit_month_year${look} STATIC ${flag} SOURCES ${D}/month_year_btn_test.cpp)
  target_link_libraries(dll_button${look} PRIVATE qx_util uxtheme)
  target_link_libraries(unit_month_year${look} PRIVATE uxtheme)
endforeach()
qx_wine_test(unit_button STATIC SOURCES ${D}/button_unit_test.cpp)
target_link_libraries(unit_button PRIVATE uxtheme)
