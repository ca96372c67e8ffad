set(D ${CMAKE_CURRENT_LIST_DIR})

# The greying library through its own DLL.
qx_wine_test(dll_qx_util SOURCES ${D}/qx_util_test.cpp)
target_link_libraries(dll_qx_util PRIVATE qx_util)

# The 64-bit library exports exactly its two plain names.
add_test(NAME pe_tables_util_64
  COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QX_OBJDUMP} "-DDLLS=$<TARGET_FILE:qx_util>"
    "-DEXPECTED=${D}/qx_util.exports32"
    -P ${PROJECT_SOURCE_DIR}/tests/exports/check_pe.cmake)
