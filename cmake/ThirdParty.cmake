# Third-party code: libcurl and the LZMA SDK sources from the cache that
# scripts/build-deps.sh fills (VX_DEPS), header-only libraries from Debian.

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

# The 7z decoder of the LZMA SDK (C files only), shared by the Windows and
# the native fuzz build.
set(vx_lzma ${VX_DEPS}/src/7zip/C)
add_library(lzmasdk STATIC
  ${vx_lzma}/7zAlloc.c ${vx_lzma}/7zArcIn.c ${vx_lzma}/7zBuf.c ${vx_lzma}/7zCrc.c ${vx_lzma}/7zCrcOpt.c
  ${vx_lzma}/7zDec.c ${vx_lzma}/7zStream.c ${vx_lzma}/Bcj2.c ${vx_lzma}/Bra.c ${vx_lzma}/Bra86.c
  ${vx_lzma}/BraIA64.c ${vx_lzma}/CpuArch.c ${vx_lzma}/Delta.c ${vx_lzma}/Lzma2Dec.c ${vx_lzma}/LzmaDec.c)
target_include_directories(lzmasdk SYSTEM PUBLIC ${vx_lzma})
# The SDK reads unaligned little-endian words on purpose on x86: only the
# alignment check is left out for it, bounds stay checked.
target_compile_options(lzmasdk PRIVATE -w $<$<OR:$<BOOL:${VX_SANITIZE}>,$<BOOL:${VX_FUZZ}>>:-fno-sanitize=alignment>)

if(WIN32)
  find_package(CURL CONFIG REQUIRED PATHS ${VX_CURL_DIR} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
endif()

if(VX_TESTS)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
