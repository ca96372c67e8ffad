set(D ${CMAKE_CURRENT_LIST_DIR})

# Visual-styles access: theme in force, visual styles off, and a system that
# reports a version too old for them.
qx_wine_test(unit_theme STATIC SOURCES ${D}/theme_api_test.cpp)
qx_wine_test(unit_theme_classic STATIC CLASSIC SOURCES ${D}/theme_api_test.cpp)
qx_wine_test(unit_theme_win2k STATIC VERSION win2k SOURCES ${D}/theme_api_test.cpp)

# Spin button: geometry, drawing, presses and auto-repeat, with a theme in
# force and in the classic look.
qx_wine_test(unit_spin STATIC SOURCES ${D}/spin_geometry_test.cpp ${D}/spin_test.cpp)
qx_wine_test(unit_spin_classic STATIC CLASSIC SOURCES ${D}/spin_test.cpp)
