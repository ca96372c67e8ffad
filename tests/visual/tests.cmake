set(D ${CMAKE_CURRENT_LIST_DIR})

# Visual-styles access and the spin, themed and classic; the access again under a version too old for styles.
qx_wine_test(unit_visual STATIC SOURCES ${D}/theme_api_test.cpp ${D}/spin_test.cpp)
qx_wine_test(unit_visual_classic STATIC CLASSIC SOURCES ${D}/theme_api_test.cpp ${D}/spin_test.cpp)
qx_wine_test(unit_theme_win2k STATIC VERSION win2k SOURCES ${D}/theme_api_test.cpp)

# When and whence the visual-styles library loads: a program beside a planted library of its name.
qx_wine_test(unit_theme_loading STATIC SOURCES ${D}/theme_loading_test.cpp)
add_library(planted_uxtheme SHARED ${D}/planted_uxtheme.c)
set_target_properties(planted_uxtheme PROPERTIES OUTPUT_NAME UxTheme PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
target_compile_options(planted_uxtheme PRIVATE ${QX_WARNINGS})
target_link_options(planted_uxtheme PRIVATE ${QX_STATIC_RUNTIME})
set_target_properties(unit_theme_loading PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
add_dependencies(unit_theme_loading planted_uxtheme qx_cntl)
