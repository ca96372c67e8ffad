# A DLL's exports are listed in *.exports files, one function a line:
#   Name@N   a standard-call function taking N bytes of arguments
#   Name     a cdecl function
# (';' starts a comment). Everything else is derived from these lists: the
# module-definition files, the import libraries and the names the tests
# expect. Usable from a project and from a script (cmake -P).

# qx_read_exports(<var> <list files...>): the entries of the lists, in order.
function(qx_read_exports var)
  set(entries)
  foreach(list ${ARGN})
    file(STRINGS ${list} lines)
    foreach(line ${lines})
      string(STRIP "${line}" line)
      if(line STREQUAL "" OR line MATCHES "^;")
        continue()
      endif()
      if(NOT line MATCHES "^[A-Za-z_][A-Za-z0-9_]*(@[0-9]+)?$")
        message(FATAL_ERROR "${list}: cannot read export line '${line}'")
      endif()
      list(APPEND entries ${line})
    endforeach()
  endforeach()
  set(${var} ${entries} PARENT_SCOPE)
endfunction()

# qx_export_name(<var> <entry> <i686|x86_64>): the name the DLL exports for an
# entry: _Name@N for a standard-call function of the 32-bit DLL, the plain
# name otherwise (x64 has no decoration).
function(qx_export_name var entry arch)
  if(entry MATCHES "^([A-Za-z0-9_]+)@[0-9]+$")
    if(arch STREQUAL "i686")
      set(${var} _${entry} PARENT_SCOPE)
    else()
      set(${var} ${CMAKE_MATCH_1} PARENT_SCOPE)
    endif()
  else()
    set(${var} ${entry} PARENT_SCOPE)
  endif()
endfunction()

# qx_dll_exports(<target> <dll file name> <list files...>): gives a DLL target
# its exports. The DLL is linked with a module-definition file whose lines
# are written "export = internal" (_Name@N = Name@N on i686): GNU ld sorts the
# export name table by the left-hand names, and the loader and GetProcAddress
# find a name by binary search in that table, so the left-hand names must be
# the exported ones. (A "Name@N == _Name@N" line sorts by Name@N and leaves
# the plain cdecl names out of order, where they cannot be found.) The linker
# resolves each right-hand name against the compiled function, so a wrong
# byte count fails the link.
#
# ld would write the import library from that file with the wrong symbols, so
# the 32-bit import library is written afterwards by dlltool from a second
# file whose lines bind the host's symbol Name@N (__imp__Name@N) to the
# exported name _Name@N.
function(qx_dll_exports target dll)
  set(lists ${ARGN})
  qx_read_exports(entries ${lists})
  set(link_def "LIBRARY ${dll}\nEXPORTS\n")
  set(import_lines)
  foreach(entry ${entries})
    qx_export_name(name ${entry} ${QX_ARCH})
    if(name STREQUAL entry)
      string(APPEND link_def "    ${entry}\n")
      list(APPEND import_lines "${name} ${entry}")
    else()
      string(APPEND link_def "    ${name} = ${entry}\n")
      list(APPEND import_lines "${name} ${entry} == ${name}")
    endif()
  endforeach()
  # In the order of the DLL's table, so that each import's hint is right.
  list(SORT import_lines)
  set(import_def "LIBRARY ${dll}\nEXPORTS\n")
  foreach(line ${import_lines})
    string(FIND "${line}" " " space)
    math(EXPR space "${space} + 1")
    string(SUBSTRING "${line}" ${space} -1 line)
    string(APPEND import_def "    ${line}\n")
  endforeach()
  set(dir ${CMAKE_CURRENT_BINARY_DIR})
  # Written only when they change, so that an unchanged list relinks nothing.
  file(WRITE ${dir}/${target}.def.new "${link_def}")
  configure_file(${dir}/${target}.def.new ${dir}/${target}.def COPYONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${lists})

  target_sources(${target} PRIVATE ${dir}/${target}.def)
  set_target_properties(${target} PROPERTIES LINK_DEPENDS ${dir}/${target}.def)
  if(QX_ARCH STREQUAL "i686")
    file(WRITE ${dir}/${target}-imports.def.new "${import_def}")
    configure_file(${dir}/${target}-imports.def.new ${dir}/${target}-imports.def COPYONLY)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${dir}/${target}-imports.def)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${QX_DLLTOOL} -d ${dir}/${target}-imports.def -l $<TARGET_LINKER_FILE:${target}>
      COMMENT "Import library of ${dll}"
      VERBATIM)
  endif()
  set_target_properties(${target} PROPERTIES QX_EXPORT_LISTS "${lists}")
endfunction()
