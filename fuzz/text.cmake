# The text helpers split and parse the program's own file name.
vx_fuzz_target(text_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_fuzz.cpp ${VX_ROOT}/utility/text.cpp
  CORPUS text)
