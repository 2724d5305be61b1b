# The skin markup parser over any bytes, in each of its three encodings.
vx_fuzz_target(markup_fuzz
  SOURCES
    ${VX_ROOT}/fuzz/markup_fuzz.cpp
    ${VX_ROOT}/skinui/core/xml_markup.cpp
    ${VX_ROOT}/skinui/core/xml_node.cpp
    ${VX_ROOT}/skinui/core/text_codec_native.cpp
  CORPUS markup)
