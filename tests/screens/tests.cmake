set(D ${CMAKE_CURRENT_LIST_DIR})

# Every control at 96, 144 (under a German locale) and 192 system dpi, DPI aware as the demo, with the tips' strings.
foreach(dpi 96 144 192)
  set(locale)
  if(dpi EQUAL 144)
    set(locale LOCALE de_DE.UTF-8)
  endif()
  qx_wine_test(unit_screens_${dpi} STATIC DPI ${dpi} ${locale}
    SOURCES ${D}/screens_test.cpp ${PROJECT_SOURCE_DIR}/demo/screens.cpp ${PROJECT_SOURCE_DIR}/src/strings.rc)
  target_include_directories(unit_screens_${dpi} PRIVATE ${PROJECT_SOURCE_DIR}/demo)
endforeach()
