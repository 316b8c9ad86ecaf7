# Fails when a file under src/ includes a folder above its own, or one beside
# it on the same level. Folders lower in the list may be included by those
# higher up; an include without a folder ("Name.h") stays in the file's folder.
set(levels
  "res platform files"
  "model"
  "document sheet command"
  "grid picture charts"
  "print"
  "ui"
  "api"
  "qt")
set(rank 0)
foreach(level IN LISTS levels)
  string(REPLACE " " ";" folders "${level}")
  foreach(folder IN LISTS folders)
    set(level_of_${folder} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(failures "")
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" from "${file}")
  if(NOT DEFINED level_of_${from})
    string(APPEND failures "\n  src/${file}: folder ${from} has no place in the order")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/src/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"/]+)/.*$" "\\1" to "${line}")
    if(to STREQUAL from)
      continue()
    endif()
    if(NOT DEFINED level_of_${to} OR NOT level_of_${to} LESS level_of_${from})
      string(APPEND failures "\n  src/${file} (${from}) includes ${to}: ${line}")
    endif()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "includes against the folder order:${failures}")
endif()
