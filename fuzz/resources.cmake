# Skin resources: the 7z glue over the LZMA SDK decoder and the
# language.tsv reader, both fed arbitrary bytes.
include(${VX_ROOT}/cmake/LzmaSdk.cmake)
vx_add_lzmasdk(vx_fuzz_lzmasdk)
# Coverage-instrumented so the fuzzer sees its branches. The SDK reads
# unaligned little-endian words on purpose on x86; only the
# alignment check is left out for it, bounds stay checked.
target_compile_options(vx_fuzz_lzmasdk PRIVATE -fno-sanitize=alignment -fsanitize=fuzzer-no-link)

vx_fuzz_target(archive_fuzz
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/archive_fuzz.cpp
    ${VX_ROOT}/skinui/core/archive_decoder.cpp
    ${VX_ROOT}/skinui/core/archive_entry_name.cpp
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
