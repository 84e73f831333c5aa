// The files of one layer while it is written: whole in memory, keyed by their names, read, written
// and sought in as shapelib does with files on disk. Nothing reaches the disk from here; a finished
// layer's files are published from their bytes in one piece each.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mapbasis {

class MemoryFolder {
 public:
  // An open file: a position in one file of the folder.
  struct Handle {
    MemoryFolder* folder = nullptr;
    std::string* bytes = nullptr;
    std::size_t position = 0;
  };

  // Opens a file as fopen would with `access`: "r..." needs the file to exist, "w..." creates it
  // empty (or empties it). Nothing (nullptr) for a missing file opened for reading, or when memory
  // runs out.
  Handle* Open(const std::string& name, std::string_view access);
  void Close(Handle* handle);
  bool Remove(const std::string& name);

  // Neither throws: they are called from C code. A write that memory cannot hold stores nothing,
  // returns 0 and marks the folder as failed.
  static std::size_t Read(Handle& handle, void* out, std::size_t bytes);
  static std::size_t Write(Handle& handle, const void* in, std::size_t bytes);

  // Whether a write or an open was lost for want of memory: the files are then not whole, even
  // where their writer could not tell.
  bool Failed() const { return failed_; }

  // The file's bytes, or nothing when there is no such file.
  const std::string* Find(const std::string& name) const;
  std::string* Find(const std::string& name);

 private:
  std::map<std::string, std::string> files_;
  std::vector<std::unique_ptr<Handle>> handles_;
  bool failed_ = false;
};

}  // namespace mapbasis
