# Skin resources: the 7z glue over the LZMA SDK decoder and the
# language.tsv reader, both fed arbitrary bytes.
set(VX_LZMA_C ${VX_DEPS}/src/7zip/C)
add_library(vx_fuzz_lzmasdk STATIC
  ${VX_LZMA_C}/7zAlloc.c ${VX_LZMA_C}/7zArcIn.c ${VX_LZMA_C}/7zBuf.c ${VX_LZMA_C}/7zCrc.c
  ${VX_LZMA_C}/7zCrcOpt.c ${VX_LZMA_C}/7zDec.c ${VX_LZMA_C}/7zStream.c ${VX_LZMA_C}/Bcj2.c
  ${VX_LZMA_C}/Bra.c ${VX_LZMA_C}/Bra86.c ${VX_LZMA_C}/BraIA64.c ${VX_LZMA_C}/CpuArch.c
  ${VX_LZMA_C}/Delta.c ${VX_LZMA_C}/Lzma2Dec.c ${VX_LZMA_C}/LzmaDec.c)
target_include_directories(vx_fuzz_lzmasdk SYSTEM PUBLIC ${VX_LZMA_C})
# Coverage-instrumented so the fuzzer sees its branches. The SDK reads
# unaligned little-endian words on purpose on x86; only the
# alignment check is left out for it, bounds stay checked.
target_compile_options(vx_fuzz_lzmasdk PRIVATE -w -fno-sanitize=alignment -fsanitize=fuzzer-no-link)

vx_fuzz_target(archive_fuzz
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/archive_fuzz.cpp
    ${VX_ROOT}/skinui/core/archive_decoder.cpp
    ${VX_ROOT}/skinui/core/archive_extract.cpp
    ${VX_ROOT}/skinui/core/archive_memory_sink.cpp
    ${VX_ROOT}/skinui/core/archive_sink.cpp
  LIBS vx_fuzz_lzmasdk
  CORPUS archive)

vx_fuzz_target(language_fuzz
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/language_fuzz.cpp
    ${VX_ROOT}/skinui/core/language_table.cpp
    ${VX_ROOT}/skinui/core/text_codec_native.cpp
  CORPUS language)
