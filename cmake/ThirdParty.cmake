# Third-party code: built libcurl and the LZMA SDK sources from the cache
# that scripts/build-deps.sh fills, header-only libraries from Debian.

find_package(CURL CONFIG REQUIRED PATHS ${VX_CURL_DIR} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

# Debian's headers live under /usr/include, which the cross compiler must not
# search as a whole: expose only the two libraries through a private folder.
set(VX_SHIM ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${VX_SHIM})
foreach(lib rapidjson stb)
  if(NOT EXISTS ${VX_SHIM}/${lib})
    file(CREATE_LINK /usr/include/${lib} ${VX_SHIM}/${lib} SYMBOLIC)
  endif()
endforeach()
add_library(rapidjson INTERFACE)
target_include_directories(rapidjson SYSTEM INTERFACE ${VX_SHIM})
add_library(stb INTERFACE)
target_include_directories(stb SYSTEM INTERFACE ${VX_SHIM})

# The 7z decoder of the LZMA SDK (C files only).
include(LzmaSdk)
vx_add_lzmasdk(lzmasdk)

if(VX_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
