# No file of the library includes a header of a higher layer or of another folder of its own (files at the top
# of src/ and dll/ sit with the registration).
# Usage: cmake -DSRC=<src folder> -P check_layers.cmake
foreach(entry common=1 visual=2 edit=3 button=3 typed=4 calendar=4 registration=5 dll=5)
  string(REPLACE "=" ";" pair ${entry})
  list(GET pair 0 folder)
  list(GET pair 1 layer_${folder})
endforeach()

file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
foreach(f ${files})
  string(REGEX MATCH "^[^/]+" from "${f}")
  if(from STREQUAL f)  # a file at the top of src/ sits with the registration
    set(from registration)
  endif()
  file(STRINGS ${SRC}/${f} includes REGEX "^#include \"[a-z_]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" to "${line}")
    if(NOT DEFINED layer_${from} OR NOT DEFINED layer_${to})
      message(SEND_ERROR "${f}: ${from}/ or ${to}/ is in no layer")
    elseif(NOT to STREQUAL from AND NOT layer_${to} LESS layer_${from})
      message(SEND_ERROR "${f}: includes ${to}/, a layer not below ${from}/")
    endif()
  endforeach()
endforeach()
