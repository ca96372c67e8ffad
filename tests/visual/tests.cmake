set(D ${CMAKE_CURRENT_LIST_DIR})

# Visual-styles access and the spin, themed and classic; the access again under a version too old for styles.
qx_wine_test(unit_visual STATIC SOURCES ${D}/theme_api_test.cpp ${D}/spin_test.cpp)
qx_wine_test(unit_visual_classic STATIC CLASSIC SOURCES ${D}/theme_api_test.cpp ${D}/spin_test.cpp)
qx_wine_test(unit_theme_win2k STATIC VERSION win2k SOURCES ${D}/theme_api_test.cpp)

