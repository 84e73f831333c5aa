#include "shapeout/memory_folder.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>

namespace mapbasis {

MemoryFolder::Handle* MemoryFolder::Open(const std::string& name, std::string_view access) try {
  std::string* bytes = nullptr;
  if (access.starts_with('w')) {
    bytes = &files_[name];
    bytes->clear();
  } else if (const auto found = files_.find(name); found != files_.end()) {
    bytes = &found->second;
  } else {
    return nullptr;
  }
  handles_.push_back(std::make_unique<Handle>(Handle{this, bytes, 0}));
  return handles_.back().get();
} catch (const std::bad_alloc&) {
  failed_ = true;
  return nullptr;
}

void MemoryFolder::Close(Handle* handle) {
  std::erase_if(handles_, [&](const auto& open) { return open.get() == handle; });
}

bool MemoryFolder::Remove(const std::string& name) { return files_.erase(name) > 0; }

std::size_t MemoryFolder::Read(Handle& handle, void* out, std::size_t bytes) {
  const std::string& file = *handle.bytes;
  const std::size_t available = handle.position < file.size() ? file.size() - handle.position : 0;
  const std::size_t n = std::min(bytes, available);
  if (n > 0) std::memcpy(out, file.data() + handle.position, n);
  handle.position += n;
  return n;
}

std::size_t MemoryFolder::Write(Handle& handle, const void* in, std::size_t bytes) {
  std::string& file = *handle.bytes;
  // A write beyond the end fills the gap with zeros, as a file does.
  if (file.size() < handle.position + bytes) {
    try {
      file.resize(handle.position + bytes, '\0');
    } catch (const std::exception&) {  // out of memory, or beyond what a string can hold
      handle.folder->failed_ = true;
      return 0;
    }
  }
  if (bytes > 0) std::memcpy(file.data() + handle.position, in, bytes);
  handle.position += bytes;
  return bytes;
}

const std::string* MemoryFolder::Find(const std::string& name) const {
  const auto found = files_.find(name);
  return found == files_.end() ? nullptr : &found->second;
}

std::string* MemoryFolder::Find(const std::string& name) {
  const auto found = files_.find(name);
  return found == files_.end() ? nullptr : &found->second;
}

}  // namespace mapbasis
