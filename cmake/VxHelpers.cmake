# vx_executable(NAME SOURCES...): an executable whose size is reported at the
# end of every build.
function(vx_executable name)
  add_executable(${name} ${ARGN})
  set_property(GLOBAL APPEND PROPERTY VX_EXECUTABLES ${name})
endfunction()

# A target built last that prints the size of every executable.
function(vx_print_sizes)
  get_property(exes GLOBAL PROPERTY VX_EXECUTABLES)
  if(NOT exes)
    return()
  endif()
  set(files)
  foreach(exe IN LISTS exes)
    list(APPEND files "$<TARGET_FILE:${exe}>")
  endforeach()
  add_custom_target(print-sizes ALL
    COMMAND ${CMAKE_COMMAND} -E echo "executable sizes (bytes):"
    COMMAND stat -c "%10s  %n" ${files}
    DEPENDS ${exes}
    VERBATIM)
endfunction()

# vx_test(NAME [SCREEN] SOURCES... LIBS ...): a GoogleTest executable run under Wine.
function(vx_test name)
  cmake_parse_arguments(T "SCREEN" "" "SOURCES;LIBS" ${ARGN})
  vx_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE vx_test_main ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  # Tests that read their windows back from the screen, and those that bring
  # windows forward or start programs, run one at a time: another program's
  # window over theirs, or a focus change, would change what they check.
  if(T_SCREEN)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK screen)
  endif()
endfunction()

# vx_expose(TARGET FOLDER): the target and whatever links it include the
# subsystem FOLDER's headers as "FOLDER/name.h", and see no other folder of
# the source tree. Each folder is reached through a link of its own in the
# build tree, so an include against the layers' direction fails to compile.
function(vx_expose target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
