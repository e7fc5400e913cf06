# cmake -DROOT=src -DFOLDER=rtf -DALLOWED="rtf;base" -DSTAMP=file -P CheckIncludes.cmake
# Fails when a file under ROOT/FOLDER includes one of the project's own headers (a quoted
# include that names a file under ROOT) from a folder not in ALLOWED. Touches STAMP on success.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE files ${ROOT}/${FOLDER}/*.h ${ROOT}/${FOLDER}/*.cpp)
set(offending "")
foreach(file IN LISTS files)
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
    if(NOT EXISTS ${ROOT}/${header})
      continue()  # a header beside the file, or not one of ours
    endif()
    string(REGEX MATCH "^[^/]+" top "${header}")
    if(NOT top IN_LIST ALLOWED)
      file(RELATIVE_PATH where ${ROOT} ${file})
      string(APPEND offending "\n  ${where} includes ${header}")
    endif()
  endforeach()
endforeach()
if(offending)
  message(FATAL_ERROR "src/${FOLDER} may include only what is in ${ALLOWED}:${offending}")
endif()
file(TOUCH ${STAMP})
