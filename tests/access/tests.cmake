set(D ${CMAKE_CURRENT_LIST_DIR})

# The accessible object of the library's windows, on a window class of the
# tests' own: asked through the system's accessibility client functions, and
# the loading of the system's libraries in a program that imports none.
qx_wine_test(unit_access STATIC SOURCES ${D}/access_test.cpp ${D}/test_window.cpp ${D}/client.cpp)
target_link_libraries(unit_access PRIVATE oleacc oleaut32 ole32 uuid)
qx_wine_test(unit_access_loading STATIC SOURCES ${D}/access_loading_test.cpp ${D}/test_window.cpp)

# Every class of the library as screen readers see it, through the DLL, with
# a theme in force and in the classic look.
foreach(t dll_access dll_access_classic)
  set(look)
  if(t STREQUAL dll_access_classic)
    set(look CLASSIC)
  endif()
  qx_wine_test(${t} ${look} SOURCES ${D}/controls_test.cpp ${D}/client.cpp ${D}/host_strings.rc)
  target_link_libraries(${t} PRIVATE oleacc oleaut32 ole32)
endforeach()
