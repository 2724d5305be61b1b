#pragma once
// The receiving end of an extraction: takes the unpacked byte stream of the
// archive's folders in order and cuts it into the archive's files, checking
// each file's CRC32. Subclasses decide where a file's bytes go.

#include <cstddef>
#include <cstdint>
#include <string>

namespace SkinUI {

struct ArchiveDatabase;

// One entry of the archive as the sink sees it.
struct ArchiveEntry {
  std::wstring name;  // path as stored, '/' between folders
  uint64_t size = 0;
  bool isDirectory = false;
};

class CArchiveSink {
 public:
  virtual ~CArchiveSink() = default;

  // Attaches the opened archive; called once before any Write.
  void Begin(const ArchiveDatabase* archive);
  // Takes up to n unpacked bytes and returns how many were used; fewer than
  // n ends the extraction (an error is set, or no file is left to fill).
  size_t Write(const unsigned char* bytes, size_t n);
  // Passes over the entries after the last file with data.
  void Finish();
  // 0, or the result code that ended the extraction.
  int Error() const { return error_; }
  // Bytes handed to files so far.
  uint64_t Total() const { return total_; }

 protected:
  void SetError(int code) { error_ = code; }
  // A file with data starts; false (with an error set) ends the extraction.
  virtual bool StartFile(const ArchiveEntry& entry) = 0;
  // Bytes of the current file; false (with an error set) ends the extraction.
  virtual bool AppendBytes(const unsigned char* bytes, size_t n) = 0;
  // The current file is complete and its CRC matched.
  virtual bool EndFile(const ArchiveEntry& entry) = 0;
  // A directory or an empty file that the stream passes over.
  virtual bool PassOver(const ArchiveEntry& entry) = 0;

 private:
  bool OpenNextFile();
  bool CompleteFile();
  ArchiveEntry ReadEntry(uint32_t index) const;

  const ArchiveDatabase* archive_ = nullptr;
  uint32_t next_ = 0;
  uint32_t fileIndex_ = 0;
  bool open_ = false;
  ArchiveEntry current_;
  uint64_t missing_ = 0;
  uint32_t crc_ = 0;
  uint64_t total_ = 0;
  int error_ = 0;
};

}  // namespace SkinUI
