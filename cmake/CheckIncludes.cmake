# cmake -DROOT=src -DLAYERS=cmake/Layers.txt -DSTAMP=file -P CheckIncludes.cmake
# Fails when a file under ROOT includes one of the project's own headers (a quoted include that
# names a file under ROOT) from a folder that is not its own nor below it in LAYERS, or when a
# file is in a folder that LAYERS gives no place. Touches STAMP on success.
cmake_minimum_required(VERSION 3.25)

# The layers: for each folder, itself and every folder below it (its "uses").
set(listed "")
file(STRINGS ${LAYERS} lines)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "#.*$" "" line "${line}")
  string(REGEX MATCHALL "[^ \t]+" words "${line}")
  if(NOT words)
    continue()
  endif()
  list(POP_FRONT words folder)
  set(uses ${folder})
  foreach(below IN LISTS words)
    if(NOT below IN_LIST listed)
      message(FATAL_ERROR "${LAYERS}: ${folder} stands on ${below}, which no line above it names")
    endif()
    list(APPEND uses ${uses_${below}})
  endforeach()
  list(REMOVE_DUPLICATES uses)
  set(uses_${folder} ${uses})
  list(APPEND listed ${folder})
endforeach()

# layer_of(VAR PATH): the folder of LAYERS that PATH (a folder under ROOT) belongs to: itself,
# else the nearest folder above it that is listed; empty when none is.
function(layer_of var path)
  while(path AND NOT path IN_LIST listed)
    get_filename_component(path "${path}" DIRECTORY)
  endwhile()
  set(${var} "${path}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/*.h ${ROOT}/*.cpp)
set(offending "")
foreach(file IN LISTS files)
  get_filename_component(folder "${file}" DIRECTORY)
  layer_of(layer "${folder}")
  if(NOT layer)
    string(APPEND offending "\n  ${file} is in a folder that ${LAYERS} gives no place")
    continue()
  endif()
  file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
    if(NOT EXISTS ${ROOT}/${header})
      continue()  # a header beside the file, or not one of ours
    endif()
    get_filename_component(headerFolder "${header}" DIRECTORY)
    layer_of(headerLayer "${headerFolder}")
    if(NOT headerLayer IN_LIST uses_${layer})
      string(APPEND offending "\n  ${file} (${layer}) includes ${header} (${headerLayer})")
    endif()
  endforeach()
endforeach()
if(offending)
  message(FATAL_ERROR "Each layer of src/ may include only itself and the layers below it "
                      "(${LAYERS}):${offending}")
endif()
file(TOUCH ${STAMP})
