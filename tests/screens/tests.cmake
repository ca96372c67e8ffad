set(D ${CMAKE_CURRENT_LIST_DIR})

# Every control on screens of 96, 144 and 192 dpi and in high contrast, with
# the library linked in (its display seams): one program, run at each system
# DPI the suite sets (the prefix's LogPixels); the run at 144 dpi under a
# German user locale (a comma for the decimal separator). It makes itself
# DPI aware as the demo does; the library's string table is linked in for the
# refusals' tips.
foreach(dpi 96 144 192)
  set(locale)
  if(dpi EQUAL 144)
    set(locale LOCALE de_DE.UTF-8)
  endif()
  qx_wine_test(unit_screens_${dpi} STATIC DPI ${dpi} ${locale}
    SOURCES ${D}/screens_test.cpp ${PROJECT_SOURCE_DIR}/demo/screens.cpp ${PROJECT_SOURCE_DIR}/src/strings.rc)
  target_include_directories(unit_screens_${dpi} PRIVATE ${PROJECT_SOURCE_DIR}/demo)
endforeach()
