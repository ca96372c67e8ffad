# Tests of internal code (the library's static twin), in the situations that
# matter to it.
set(U ${CMAKE_CURRENT_LIST_DIR})

qx_wine_test(unit_picture_mask STATIC SOURCES ${U}/picture_mask_test.cpp)

# Visual-styles access: theme in force, visual styles off, and a system that
# reports a version too old for them.
qx_wine_test(unit_theme STATIC SOURCES ${U}/theme_api_test.cpp)
qx_wine_test(unit_theme_classic STATIC CLASSIC SOURCES ${U}/theme_api_test.cpp)
qx_wine_test(unit_theme_win2k STATIC VERSION win2k SOURCES ${U}/theme_api_test.cpp)
