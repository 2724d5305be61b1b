# Packing folders into 7z archives with Debian's 7zz at build time and
# linking them into a program as resources of type "ZIPRES".
enable_language(RC)
find_program(VX_7ZZ 7zz REQUIRED)

# vx_make_7z(OUTPUT file FOLDER dir [ARGS 7zz-switches...] [DEPENDS ...]):
# packs the contents of dir (names relative to it) into file whenever a
# file below dir (or one of DEPENDS, for a folder made at build time)
# changes. Timestamps are left out so the archive is reproducible.
function(vx_make_7z)
  cmake_parse_arguments(P "" "OUTPUT;FOLDER" "ARGS;DEPENDS" ${ARGN})
  file(GLOB_RECURSE inputs CONFIGURE_DEPENDS LIST_DIRECTORIES true ${P_FOLDER}/*)
  list(APPEND inputs ${P_DEPENDS})
  add_custom_command(OUTPUT ${P_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${P_OUTPUT}
    COMMAND ${VX_7ZZ} a -t7z ${P_ARGS} -mtm=off -mtc=off -mta=off -bso0 -bsp0 ${P_OUTPUT} .
    WORKING_DIRECTORY ${P_FOLDER}
    DEPENDS ${inputs}
    COMMENT "Packing ${P_FOLDER}"
    VERBATIM)
endfunction()

# vx_embed_zipres(TARGET name ID n FILE archive): links archive into the
# target as resource ID of type "ZIPRES".
function(vx_embed_zipres)
  cmake_parse_arguments(P "" "TARGET;ID;FILE" "" ${ARGN})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${P_TARGET}_zipres_${P_ID}.rc)
  file(WRITE ${rc} "${P_ID} ZIPRES \"${P_FILE}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${P_FILE})
  target_sources(${P_TARGET} PRIVATE ${rc} ${P_FILE})
endfunction()

# vx_pack_archive(TARGET name FOLDER dir ID n [BCJ]): packs dir with LZMA2
# (with the x86 BCJ filter in front when BCJ is given, for executable
# code) and links it into the target as "ZIPRES" resource ID.
function(vx_pack_archive)
  cmake_parse_arguments(P "BCJ" "TARGET;FOLDER;ID" "" ${ARGN})
  set(archive ${CMAKE_CURRENT_BINARY_DIR}/${P_TARGET}_${P_ID}.7z)
  set(methods -m0=LZMA2)
  if(P_BCJ)
    set(methods -mf=BCJ -m0=LZMA2)
  endif()
  vx_make_7z(OUTPUT ${archive} FOLDER ${P_FOLDER} ARGS ${methods})
  vx_embed_zipres(TARGET ${P_TARGET} ID ${P_ID} FILE ${archive})
endfunction()
