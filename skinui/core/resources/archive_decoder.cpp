#include "skinui/core/resources/archive_decoder.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "Lzma2Dec.h"
#include "skinui/core/resources/archive_extract.h"
#include "skinui/core/resources/archive_sdk.h"

namespace SkinUI {

namespace {

constexpr UInt32 kMethodCopy = 0;
constexpr UInt32 kMethodLzma2 = 0x21;

void* BoundedAlloc(ISzAllocPtr, size_t size) {
  if (size == 0 || size > kMaxArchiveAllocation) return nullptr;
  return std::malloc(size);
}

void BoundedFree(ISzAllocPtr, void* address) { std::free(address); }

const ISzAlloc kAlloc = {BoundedAlloc, BoundedFree};

// A seekable look-ahead stream over the archive bytes. A read beyond the
// end fails with the input-end error; a read at the end yields 0 bytes.
struct MemoryInStream {
  ILookInStream vt;
  const unsigned char* data;
  size_t size;
  UInt64 pos;
};

MemoryInStream* StreamOf(ILookInStreamPtr p) {
  return reinterpret_cast<MemoryInStream*>(const_cast<ILookInStream*>(p));
}

SRes MemoryLook(ILookInStreamPtr p, const void** buf, size_t* size) {
  MemoryInStream* s = StreamOf(p);
  if (s->pos > s->size) {
    *size = 0;
    return SZ_ERROR_INPUT_EOF;
  }
  size_t left = s->size - static_cast<size_t>(s->pos);
  *size = std::min(*size, left);
  *buf = s->data + s->pos;
  return SZ_OK;
}

SRes MemorySkip(ILookInStreamPtr p, size_t offset) {
  MemoryInStream* s = StreamOf(p);
  if (s->pos > s->size || offset > s->size - s->pos) return SZ_ERROR_INPUT_EOF;
  s->pos += offset;
  return SZ_OK;
}

SRes MemoryRead(ILookInStreamPtr p, void* buf, size_t* size) {
  const void* from = nullptr;
  SRes res = MemoryLook(p, &from, size);
  if (res != SZ_OK) return res;
  if (*size != 0) std::memcpy(buf, from, *size);
  StreamOf(p)->pos += *size;
  return SZ_OK;
}

SRes MemorySeek(ILookInStreamPtr p, Int64* pos, ESzSeek origin) {
  MemoryInStream* s = StreamOf(p);
  Int64 base = origin == SZ_SEEK_SET   ? 0
               : origin == SZ_SEEK_CUR ? static_cast<Int64>(s->pos)
                                       : static_cast<Int64>(s->size);
  if (*pos < 0 ? base < -*pos : *pos > INT64_MAX - base) return SZ_ERROR_PARAM;
  s->pos = static_cast<UInt64>(base + *pos);
  *pos = static_cast<Int64>(s->pos);
  return SZ_OK;
}

// Where one folder's single packed stream lies inside the archive bytes.
struct PackedRange {
  const unsigned char* data = nullptr;
  size_t size = 0;
};

// The folder's coder when it is one Copy or LZMA2 coder over one packed
// stream: those decode straight into the sink. False for anything else.
bool StreamableCoder(const CSzArEx& db, UInt32 folder, CSzCoderInfo* coder) {
  const CSzAr& ar = db.db;
  CSzData sd;
  sd.Data = ar.CodersData + ar.FoCodersOffsets[folder];
  sd.Size = ar.FoCodersOffsets[folder + 1] - ar.FoCodersOffsets[folder];
  CSzFolder f;
  if (SzGetNextFolderItem(&f, &sd) != SZ_OK || sd.Size != 0) return false;
  if (f.NumCoders != 1 || f.NumPackStreams != 1 || f.Coders[0].NumStreams != 1) return false;
  if (f.UnpackStream != ar.FoToMainUnpackSizeIndex[folder]) return false;
  *coder = f.Coders[0];
  return coder->MethodID == kMethodCopy || (coder->MethodID == kMethodLzma2 && coder->PropsSize == 1);
}

SRes FindPackedRange(const CSzArEx& db, UInt32 folder, const unsigned char* bytes, size_t size, PackedRange* range) {
  const CSzAr& ar = db.db;
  UInt32 pack = ar.FoStartPackStreamIndex[folder];
  UInt64 start = ar.PackPositions[pack];
  UInt64 length = ar.PackPositions[pack + 1] - start;
  if (db.dataPos > size || start > size - db.dataPos) return SZ_ERROR_INPUT_EOF;
  UInt64 offset = db.dataPos + start;
  if (length > size - offset) return SZ_ERROR_INPUT_EOF;
  range->data = bytes + offset;
  range->size = static_cast<size_t>(length);
  return SZ_OK;
}

// Hands n bytes to the sink; a short write ends the extraction.
SRes Feed(CArchiveSink& sink, const unsigned char* bytes, size_t n) {
  return sink.Write(bytes, n) == n ? SZ_OK : SZ_ERROR_OUTPUT_EOF;
}

UInt64 Lzma2DictionarySize(Byte prop) {
  return prop == 40 ? 0xFFFFFFFFull : (UInt64{2} | (prop & 1)) << (prop / 2 + 11);
}

// Runs the decoder over the packed bytes, handing each piece that appears
// in the window to the sink, until the stream's end mark.
SRes PumpLzma2(CLzma2Dec* dec, const PackedRange& in, UInt64 unpackSize, CArchiveSink& sink, UInt32* crc) {
  size_t inPos = 0;
  UInt64 remaining = unpackSize;
  for (;;) {
    if (dec->decoder.dicPos == dec->decoder.dicBufSize) dec->decoder.dicPos = 0;
    SizeT start = dec->decoder.dicPos;
    SizeT room = dec->decoder.dicBufSize - start;
    // Only the last piece of the output must end the stream; a piece that
    // merely fills the window ends wherever it stops.
    ELzmaFinishMode finish = room >= remaining ? LZMA_FINISH_END : LZMA_FINISH_ANY;
    SizeT limit = start + static_cast<SizeT>(std::min<UInt64>(room, remaining));
    SizeT inProcessed = in.size - inPos;
    ELzmaStatus status;
    SRes res = Lzma2Dec_DecodeToDic(dec, limit, in.data + inPos, &inProcessed, finish, &status);
    inPos += inProcessed;
    SizeT produced = dec->decoder.dicPos - start;
    remaining -= produced;
    *crc = CrcUpdate(*crc, dec->decoder.dic + start, produced);
    // Bytes decoded before a data error still go out: files they complete
    // are whole and their CRC is checked.
    if (produced != 0) {
      SRes written = Feed(sink, dec->decoder.dic + start, produced);
      if (res == SZ_OK) res = written;
    }
    if (res != SZ_OK) return res;
    if (status == LZMA_STATUS_FINISHED_WITH_MARK) {
      return remaining == 0 && inPos == in.size ? SZ_OK : SZ_ERROR_DATA;
    }
    if (inProcessed == 0 && produced == 0) return SZ_ERROR_DATA;
  }
}

// Decodes an LZMA2 stream through a window no larger than the dictionary
// (or the whole output when that is smaller).
SRes StreamLzma2(Byte prop, const PackedRange& in, UInt64 unpackSize, CArchiveSink& sink, UInt32* crc) {
  if (prop > 40) return SZ_ERROR_UNSUPPORTED;
  UInt64 window = std::max<UInt64>(1, std::min(Lzma2DictionarySize(prop), unpackSize));
  if (window > kMaxArchiveAllocation) return SZ_ERROR_MEM;
  CLzma2Dec dec;
  Lzma2Dec_CONSTRUCT(&dec) SRes res = Lzma2Dec_AllocateProbs(&dec, prop, &kAlloc);
  if (res != SZ_OK) return res;
  auto* dic = static_cast<Byte*>(BoundedAlloc(&kAlloc, static_cast<size_t>(window)));
  if (dic != nullptr) {
    dec.decoder.dic = dic;
    dec.decoder.dicBufSize = static_cast<SizeT>(window);
    Lzma2Dec_Init(&dec);
    res = PumpLzma2(&dec, in, unpackSize, sink, crc);
  } else {
    res = SZ_ERROR_MEM;
  }
  BoundedFree(&kAlloc, dic);
  Lzma2Dec_FreeProbs(&dec, &kAlloc);
  return res;
}

SRes StreamFolder(const CSzArEx& db,
                  UInt32 folder,
                  const CSzCoderInfo& coder,
                  const unsigned char* bytes,
                  size_t size,
                  CArchiveSink& sink) {
  PackedRange in;
  SRes res = FindPackedRange(db, folder, bytes, size, &in);
  if (res != SZ_OK) return res;
  UInt64 unpackSize = SzAr_GetFolderUnpackSize(&db.db, folder);
  UInt32 crc = CRC_INIT_VAL;
  if (coder.MethodID == kMethodCopy) {
    if (in.size != unpackSize) return SZ_ERROR_DATA;
    crc = CrcUpdate(crc, in.data, in.size);
    res = Feed(sink, in.data, in.size);
  } else {
    Byte prop = db.db.CodersData[db.db.FoCodersOffsets[folder] + coder.PropsOffset];
    res = StreamLzma2(prop, in, unpackSize, sink, &crc);
  }
  if (res == SZ_OK && SzBitWithVals_Check(&db.db.FolderCRCs, folder) &&
      CRC_GET_DIGEST(crc) != db.db.FolderCRCs.Vals[folder]) {
    res = SZ_ERROR_CRC;
  }
  return res;
}

// Folders whose coders cannot stream (filters, several coders) are decoded
// whole into a buffer of their unpacked size first.
SRes BufferFolder(const CSzArEx& db, UInt32 folder, MemoryInStream* stream, CArchiveSink& sink) {
  UInt64 unpackSize = SzAr_GetFolderUnpackSize(&db.db, folder);
  if (unpackSize > kMaxArchiveAllocation) return SZ_ERROR_MEM;
  size_t n = static_cast<size_t>(unpackSize);
  auto* buffer = static_cast<Byte*>(BoundedAlloc(&kAlloc, std::max<size_t>(n, 1)));
  if (buffer == nullptr) return SZ_ERROR_MEM;
  SRes res = SzAr_DecodeFolder(&db.db, folder, &stream->vt, db.dataPos, buffer, n, &kAlloc);
  if (res == SZ_OK) res = Feed(sink, buffer, n);
  BoundedFree(&kAlloc, buffer);
  return res;
}

SRes DecodeFolders(const CSzArEx& db,
                   const unsigned char* bytes,
                   size_t size,
                   MemoryInStream* stream,
                   CArchiveSink& sink) {
  for (UInt32 folder = 0; folder < db.db.NumFolders; ++folder) {
    CSzCoderInfo coder;
    SRes res = StreamableCoder(db, folder, &coder) ? StreamFolder(db, folder, coder, bytes, size, sink)
                                                   : BufferFolder(db, folder, stream, sink);
    if (res != SZ_OK) return res;
  }
  return SZ_OK;
}

void InitCrcTableOnce() {
  static const bool ready = (CrcGenerateTable(), true);
  (void)ready;
}

}  // namespace

int DecodeArchive(const unsigned char* bytes, size_t size, CArchiveSink& sink) {
  InitCrcTableOnce();
  MemoryInStream stream{{MemoryLook, MemorySkip, MemoryRead, MemorySeek}, bytes, size, 0};
  if (bytes == nullptr) stream.size = 0;
  ArchiveDatabase archive;
  SzArEx_Init(&archive.db);
  SRes res = SzArEx_Open(&archive.db, &stream.vt, &kAlloc, &kAlloc);
  if (res == SZ_OK) {
    sink.Begin(&archive);
    res = DecodeFolders(archive.db, bytes, size, &stream, sink);
    if (res == SZ_OK) sink.Finish();
  }
  SzArEx_Free(&archive.db, &kAlloc);
  return sink.Error() != 0 ? sink.Error() : MapDecoderResult(res);
}

}  // namespace SkinUI
