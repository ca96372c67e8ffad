# Packs the host developer's kit from the two build trees:
#
#   <out>/qx_cntl-<version>.zip, holding the folder qx_cntl-<version>/ with
#     include/                 qx_cntl.h, qx_cntl_version.h, qx_util.h
#     bin/x86, bin/x64         qx_cntl.dll, qx_util.dll
#     lib/x86, lib/x64         qx_cntl.lib, qx_util.lib (MSVC convention),
#                              libqx_cntl.dll.a, libqx_util.dll.a (GNU)
#     lib/cmake/qx_cntl/       the CMake package
#     docs/                    everything in docs/
#     examples/                everything in examples/
#
# Usage: cmake -DB32=<32-bit tree> -DB64=<64-bit tree> -DOUT=<dir> -P make-dist.cmake
foreach(var B32 B64 OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make-dist: ${var} is not set")
  endif()
  get_filename_component(${var} ${${var}} ABSOLUTE)
endforeach()
get_filename_component(src ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)
qx_version(version ${src})

set(name qx_cntl-${version})
set(stage_parent ${OUT}/dist)
set(stage ${stage_parent}/${name})
set(zip ${OUT}/${name}.zip)
file(REMOVE_RECURSE ${stage_parent})
file(REMOVE ${zip})

# Copies a file to a path inside the kit; a missing file stops the packing.
function(kit_copy from to)
  if(NOT EXISTS ${from})
    message(FATAL_ERROR "make-dist: ${from} is missing (build both trees first)")
  endif()
  get_filename_component(dir ${stage}/${to} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(COPY_FILE ${from} ${stage}/${to})
endfunction()

file(GLOB headers ${src}/include/*.h)
foreach(h ${headers} ${src}/qx_util/qx_util.h)
  get_filename_component(n ${h} NAME)
  kit_copy(${h} include/${n})
endforeach()

foreach(arch x86 x64)
  if(arch STREQUAL "x86")
    set(tree ${B32})
  else()
    set(tree ${B64})
  endif()
  foreach(dll qx_cntl qx_util)
    kit_copy(${tree}/bin/${dll}.dll bin/${arch}/${dll}.dll)
    # The build names the GNU import library <dll>.lib; the kit uses the
    # MinGW name and keeps .lib for the MSVC convention.
    kit_copy(${tree}/lib/${dll}.lib lib/${arch}/lib${dll}.dll.a)
    kit_copy(${tree}/lib/msvc/${dll}.lib lib/${arch}/${dll}.lib)
  endforeach()
endforeach()

set(pkg lib/cmake/qx_cntl)
kit_copy(${CMAKE_CURRENT_LIST_DIR}/qx_cntl-config.cmake ${pkg}/qx_cntl-config.cmake)
include(CMakePackageConfigHelpers)
# Both architectures are in the kit: the package serves 32- and 64-bit consumers.
write_basic_package_version_file(${stage}/${pkg}/qx_cntl-config-version.cmake
  VERSION ${version} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)

foreach(dir docs examples)
  if(EXISTS ${src}/${dir})
    file(COPY ${src}/${dir} DESTINATION ${stage})
  endif()
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${name}
  WORKING_DIRECTORY ${stage_parent}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make-dist: zipping ${stage} failed")
endif()
file(REMOVE_RECURSE ${stage_parent})
message(STATUS "make-dist: ${zip}")
