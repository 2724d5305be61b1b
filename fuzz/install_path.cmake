# The install-path rules read whatever the user types into the folder box.
vx_fuzz_target(install_path_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/install_path_fuzz.cpp ${VX_ROOT}/utility/install_path.cpp
  CORPUS install_path)
