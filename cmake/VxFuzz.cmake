# Native (Linux, clang) build of the platform-free libraries with
# AddressSanitizer and UndefinedBehaviorSanitizer; every library is
# coverage-instrumented so that libFuzzer sees its branches.
set(VX_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)
add_compile_options(${VX_SANITIZERS} -fsanitize=fuzzer-no-link)
add_link_options(-fsanitize=address,undefined)

# vx_fuzz_target(NAME SOURCES... [LIBS ...] [CORPUS dir]): a libFuzzer target
# whose seed corpus is a folder of small files under fuzz/corpus.
set(VX_FUZZ_TARGETS "" CACHE INTERNAL "")
function(vx_fuzz_target name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  # scripts/fuzz.sh finds every target at the top of the tree.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  set(VX_FUZZ_TARGETS ${VX_FUZZ_TARGETS} "${name}:${F_CORPUS}" CACHE INTERNAL "")
endfunction()
