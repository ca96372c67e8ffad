set(D ${CMAKE_CURRENT_LIST_DIR})

# Bitmap and month/year buttons with a theme and (the _classic twin) with
# visual styles off, linked with the static twin.
qx_wine_test(unit_button STATIC SOURCES ${D}/button_test.cpp)
qx_wine_test(unit_button_classic STATIC CLASSIC SOURCES ${D}/button_test.cpp)
