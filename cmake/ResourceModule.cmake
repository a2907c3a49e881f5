# qor_add_resource_module(TARGET OUTPUT RC [EXE]): a module that holds only
# the resources of RC, built with MinGW-w64's windres and gcc, in native
# builds as in Windows ones (the resource enumerator reads it from its bytes).
find_program(QOR_MINGW_WINDRES x86_64-w64-mingw32-windres)
find_program(QOR_MINGW_GCC NAMES x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-gcc)
if(NOT QOR_MINGW_WINDRES OR NOT QOR_MINGW_GCC)
  message(FATAL_ERROR "Resource modules need MinGW-w64's windres and gcc (scripts/setup-debian.sh installs them)")
endif()

function(qor_add_resource_module output rc)
  cmake_parse_arguments(ARG "EXE" "" "" ${ARGN})
  set(kind -shared)
  if(ARG_EXE)
    set(kind)
  endif()
  get_filename_component(name ${output} NAME_WE)
  get_filename_component(folder ${output} DIRECTORY)
  set(entry ${PROJECT_SOURCE_DIR}/cmake/ModuleEntry.c)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${name}.res.o)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${QOR_MINGW_WINDRES} -c 65001 -i ${rc} -o ${object}
    COMMAND ${QOR_MINGW_GCC} ${kind} -nostdlib -Wl,-e,ModuleEntry -o ${output} ${entry} ${object}
    DEPENDS ${rc} ${entry}
    COMMENT "Building the resource module ${name}"
    VERBATIM)
endfunction()
