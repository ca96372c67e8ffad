# The shipped DLLs stay small and stripped (no Wine needed): the 32-bit
# qx_cntl.dll at most 128 KB and qx_util.dll 48 KB, their 64-bit twins at
# most a third larger. Included by the test lists of both build trees. A
# Debug build keeps its symbols and is not checked.
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(qx_cntl_limit 131072)
  set(qx_util_limit 49152)
  if(QX_ARCH STREQUAL "x86_64")
    math(EXPR qx_cntl_limit "${qx_cntl_limit} * 4 / 3")
    math(EXPR qx_util_limit "${qx_util_limit} * 4 / 3")
  endif()
  add_test(NAME dll_sizes_${QX_ARCH}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QX_OBJDUMP}
      "-DDLLS=$<TARGET_FILE:qx_cntl>;$<TARGET_FILE:qx_util>"
      "-DLIMITS=${qx_cntl_limit};${qx_util_limit}"
      -P ${CMAKE_CURRENT_LIST_DIR}/check_size.cmake)
endif()
