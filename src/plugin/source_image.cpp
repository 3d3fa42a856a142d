#include "plugin/source_image.h"

#include "base/failures.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace karvex {
namespace {

std::unique_ptr<char[]> AllocateText(std::int64_t size) {
  // One byte at least, so that an empty text still has an address.
  return std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size > 0 ? size : 1));
}

#ifdef _WIN32

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// A view of a file that goes away while it is read (a network share that
// drops, a removed disk) raises an in-page error at the next read, which
// would take the host down; only files on fixed drives are mapped, others
// are read with ReadFile, which fails cleanly.
bool OnFixedDrive(const char* fileName) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(fileName, MAX_PATH, full, nullptr);
  if (length < 3 || length >= MAX_PATH || full[1] != ':' || full[2] != '\\') return false;
  const char root[4] = {full[0], ':', '\\', '\0'};
  return GetDriveTypeA(root) == DRIVE_FIXED;
}

// The file's bytes as a read-only view, or empty when it cannot be mapped.
std::shared_ptr<const void> MapWhole(HANDLE file) {
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping == nullptr) return nullptr;
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  CloseHandle(mapping);  // the view keeps the mapping alive
  if (view == nullptr) return nullptr;
  return std::shared_ptr<const void>(view, [](const void* mapped) { UnmapViewOfFile(mapped); });
}

#endif

}  // namespace

SourceImage SourceImage::FromMemory(const void* data, std::int32_t len) {
  if (len < 0) throw Failure("negative length of a memory image");
  if (len > 0 && data == nullptr) throw Failure("memory image without an address");
  // An empty image still has an address.
  const char* text = len > 0 ? static_cast<const char*>(data) : "";
  return SourceImage(nullptr, std::string_view(text, static_cast<std::size_t>(len)));
}

#ifdef _WIN32

SourceImage SourceImage::FromFile(const char* fileName) {
  if (fileName == nullptr) throw SourceFileFailure("no file name");
  FileHandle file(CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) throw SourceFileFailure("the file cannot be opened");
  LARGE_INTEGER fileSize{};
  if (!GetFileSizeEx(file.get(), &fileSize)) throw SourceFileFailure("the file's size cannot be had");
  if (fileSize.QuadPart > kMaxSize) throw SourceFileFailure("the file is 2 GiB or larger");
  const auto size = static_cast<std::int32_t>(fileSize.QuadPart);
  // A mapped file is read where the system cache holds it, with no copy and
  // no fresh memory to commit.
  if (size > 0 && OnFixedDrive(fileName)) {
    if (std::shared_ptr<const void> view = MapWhole(file.get())) {
      const std::string_view text(static_cast<const char*>(view.get()), static_cast<std::size_t>(size));
      return SourceImage(std::move(view), text);
    }
  }
  std::unique_ptr<char[]> bytes = AllocateText(size);
  DWORD got = 0;
  if (size > 0 && (!ReadFile(file.get(), bytes.get(), static_cast<DWORD>(size), &got, nullptr) ||
                   got != static_cast<DWORD>(size))) {
    throw SourceFileFailure("the file cannot be read in full");
  }
  const std::string_view text(bytes.get(), static_cast<std::size_t>(size));
  return SourceImage(std::shared_ptr<const void>(std::move(bytes)), text);
}

#else

SourceImage SourceImage::FromFile(const char* fileName) {
  if (fileName == nullptr) throw SourceFileFailure("no file name");
  const int fd = ::open(fileName, O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw SourceFileFailure("the file cannot be opened");
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw SourceFileFailure("the file's size cannot be had");
  if (!S_ISREG(info.st_mode)) throw SourceFileFailure("not a regular file");
  if (info.st_size > kMaxSize) throw SourceFileFailure("the file is 2 GiB or larger");
  const auto size = static_cast<std::int32_t>(info.st_size);
  std::unique_ptr<char[]> bytes = AllocateText(size);
  std::int64_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(fd, bytes.get() + done, static_cast<std::size_t>(size - done));
    if (got <= 0) throw SourceFileFailure("the file cannot be read in full");
    done += got;
  }
  const std::string_view text(bytes.get(), static_cast<std::size_t>(size));
  return SourceImage(std::shared_ptr<const void>(std::move(bytes)), text);
}

#endif

}  // namespace karvex
