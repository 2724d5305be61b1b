# cmake -DARCHIVE=file -DLIMIT=bytes -DSTAMP=file -P ArchiveSize.cmake:
# prints the packed skin's size and fails when it is over the limit.
file(SIZE ${ARCHIVE} size)
math(EXPR kib "(${size} + 1023) / 1024")
message("packed skin: ${size} bytes (${kib} KiB, limit ${LIMIT} bytes)")
if(size GREATER LIMIT)
  message(FATAL_ERROR "the packed skin is over its limit of ${LIMIT} bytes")
endif()
file(WRITE ${STAMP} "${size}\n")
