set(D ${CMAKE_CURRENT_LIST_DIR})

# Bitmap and month/year buttons. Each program runs with a theme and, as its
# _classic twin, with visual styles off; the fixture draws reference themed
# parts with the visual-styles library and greys with the greying library.
function(qx_button_test name)
  qx_wine_test(${name} ${ARGN})
  target_sources(${name} PRIVATE ${D}/button_fixture.cpp)
  target_link_libraries(${name} PRIVATE qx_util uxtheme)
endfunction()

foreach(look themed classic)
  if(look STREQUAL "classic")
    set(suffix _classic)
    set(flag CLASSIC)
  else()
    set(suffix "")
    set(flag "")
  endif()
  qx_button_test(dll_button_input${suffix} ${flag} SOURCES ${D}/bmp_btn_input_test.cpp)
  qx_button_test(dll_button_draw${suffix} ${flag} SOURCES ${D}/bmp_btn_draw_test.cpp)
  qx_button_test(unit_month_year${suffix} STATIC ${flag} SOURCES ${D}/month_year_btn_test.cpp)
endforeach()
qx_button_test(unit_button STATIC SOURCES ${D}/button_unit_test.cpp)
