# vx_add_lzmasdk(TARGET): a static library of the LZMA SDK's 7z decoder C
# files (from Debian's 7zip source in the third-party cache), shared by the
# Windows build and the native fuzz build.
function(vx_add_lzmasdk target)
  set(c ${VX_DEPS}/src/7zip/C)
  add_library(${target} STATIC
    ${c}/7zAlloc.c ${c}/7zArcIn.c ${c}/7zBuf.c ${c}/7zCrc.c ${c}/7zCrcOpt.c ${c}/7zDec.c
    ${c}/7zStream.c ${c}/Bcj2.c ${c}/Bra.c ${c}/Bra86.c ${c}/BraIA64.c ${c}/CpuArch.c
    ${c}/Delta.c ${c}/Lzma2Dec.c ${c}/LzmaDec.c)
  target_include_directories(${target} SYSTEM PUBLIC ${c})
  target_compile_options(${target} PRIVATE -w)
endfunction()
