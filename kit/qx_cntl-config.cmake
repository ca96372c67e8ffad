# CMake package of the qx_cntl kit: find_package(qx_cntl CONFIG) gives
#
#   qx_cntl::qx_cntl  qx_cntl.dll: the include folder, the import library
#                     and the DLL of the consumer's architecture
#   qx_cntl::qx_util  qx_util.dll, which qx_cntl.dll loads at run time
#
# The architecture follows the consumer's pointer size (x86 or x64); the
# import library follows its toolchain: the MSVC convention (qx_cntl.lib) for
# MSVC and compilers that simulate it, the GNU one (libqx_cntl.dll.a) for
# MinGW. qx_util is a run-time dependency of qx_cntl::qx_cntl, so
# $<TARGET_RUNTIME_DLLS:app> names both DLLs for copying beside the program.
cmake_policy(PUSH)
cmake_policy(VERSION 3.14)

get_filename_component(_qx_root "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_qx_arch x64)
elseif(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(_qx_arch x86)
else()
  set(${CMAKE_FIND_PACKAGE_NAME}_FOUND FALSE)
  set(${CMAKE_FIND_PACKAGE_NAME}_NOT_FOUND_MESSAGE
    "qx_cntl needs the pointer size: enable C or CXX before find_package(qx_cntl)")
  cmake_policy(POP)
  return()
endif()

if(MSVC OR CMAKE_C_SIMULATE_ID STREQUAL "MSVC" OR CMAKE_CXX_SIMULATE_ID STREQUAL "MSVC")
  set(_qx_implib_prefix "")
  set(_qx_implib_suffix ".lib")
else()
  set(_qx_implib_prefix "lib")
  set(_qx_implib_suffix ".dll.a")
endif()

foreach(_qx_name qx_util qx_cntl)
  if(NOT TARGET qx_cntl::${_qx_name})
    add_library(qx_cntl::${_qx_name} SHARED IMPORTED)
    set_target_properties(qx_cntl::${_qx_name} PROPERTIES
      IMPORTED_LOCATION "${_qx_root}/bin/${_qx_arch}/${_qx_name}.dll"
      IMPORTED_IMPLIB
        "${_qx_root}/lib/${_qx_arch}/${_qx_implib_prefix}${_qx_name}${_qx_implib_suffix}"
      INTERFACE_INCLUDE_DIRECTORIES "${_qx_root}/include")
  endif()
endforeach()
set_property(TARGET qx_cntl::qx_cntl PROPERTY IMPORTED_LINK_DEPENDENT_LIBRARIES qx_cntl::qx_util)

unset(_qx_name)
unset(_qx_implib_prefix)
unset(_qx_implib_suffix)
unset(_qx_arch)
unset(_qx_root)
cmake_policy(POP)
