# The include rules of the tree, checked as a test (cmake -DROOT=<source> -P):
# - a project include names its folder from the repository root, which is the
#   only include folder ("classlib/Forms.h", never "Forms.h");
# - the audio library's engine (audiolib/src) is its own: other folders reach
#   it only through bass.h;
# - <windows.h> comes through classlib/WinApi.h, except in the audio library
#   and the encoder, which stand apart from the class library.
if(NOT ROOT)
  message(FATAL_ERROR "CheckLayout: ROOT is not set")
endif()

set(folders audiolib classlib components converter encoder grid player skins tests tools)
set(globs)
foreach(folder ${folders})
  list(APPEND globs ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.c)
endforeach()
file(GLOB_RECURSE sources RELATIVE ${ROOT} ${globs})
list(JOIN folders "|" folder_names)

set(faults)
foreach(rel ${sources})
  file(STRINGS ${ROOT}/${rel} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line ${includes})
    if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]*)\"")
      set(name ${CMAKE_MATCH_1})
      if(NOT name MATCHES "^(${folder_names})/")
        list(APPEND faults "${rel}: \"${name}\" does not name its folder from the root")
      elseif(name MATCHES "^audiolib/src/" AND NOT rel MATCHES "^audiolib/")
        list(APPEND faults "${rel}: \"${name}\" is inside the audio library")
      endif()
    elseif(line MATCHES "#[ \t]*include[ \t]*<windows\\.h>")
      if(NOT rel MATCHES "^(audiolib|encoder)/" AND NOT rel STREQUAL "classlib/WinApi.h")
        list(APPEND faults "${rel}: <windows.h> instead of classlib/WinApi.h")
      endif()
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Include rules broken:\n  ${text}")
endif()
message(STATUS "Include rules hold in ${count} files")
