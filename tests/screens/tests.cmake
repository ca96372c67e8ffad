set(D ${CMAKE_CURRENT_LIST_DIR})

# Every control at 96, 144 (under a German locale) and 192 system dpi, DPI aware as the demo, with the tips' strings.
set(locale_144 LOCALE de_DE.UTF-8)
foreach(dpi 96 144 192)
  qx_wine_test(unit_screens_${dpi} STATIC DPI ${dpi} ${locale_${dpi}}
    SOURCES ${D}/screens_test.cpp ${PROJECT_SOURCE_DIR}/demo/screens.cpp ${PROJECT_SOURCE_DIR}/src/strings.rc)
endforeach()
