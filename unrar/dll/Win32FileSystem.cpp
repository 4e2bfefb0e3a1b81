#include "unrar/dll/Win32FileSystem.h"

#include <windows.h>

#include "unrar/dll/TextCodes.h"

namespace unrardll {
namespace {

// Owns a file handle; closes it once.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool Close() {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle);
    }

private:
    HANDLE handle_;
};

FILETIME ToFileTime(int64_t value) {
    FILETIME ft;
    ft.dwLowDateTime = DWORD(uint64_t(value) & 0xFFFFFFFFu);
    ft.dwHighDateTime = DWORD(uint64_t(value) >> 32);
    return ft;
}

class Win32InputFile : public rarcore::InputFile {
public:
    Win32InputFile(HANDLE handle, uint64_t size) : file_(handle), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool Seek(uint64_t offset) override {
        LARGE_INTEGER distance;
        distance.QuadPart = LONGLONG(offset);
        return SetFilePointerEx(file_.get(), distance, nullptr, FILE_BEGIN);
    }
    bool Read(void* buffer, size_t size, size_t& got) override {
        DWORD read = 0;
        DWORD ask = size > (1u << 30) ? DWORD(1u << 30) : DWORD(size);
        BOOL ok = ReadFile(file_.get(), buffer, ask, &read, nullptr);
        got = read;
        return ok;
    }

private:
    FileHandle file_;
    uint64_t size_;
};

class Win32OutputFile : public rarcore::OutputFile {
public:
    explicit Win32OutputFile(HANDLE handle) : file_(handle) {}
    bool Write(const void* data, size_t size) override {
        auto p = static_cast<const char*>(data);
        while (size > 0) {
            DWORD chunk = size > (1u << 30) ? DWORD(1u << 30) : DWORD(size);
            DWORD written = 0;
            if (!WriteFile(file_.get(), p, chunk, &written, nullptr) || written == 0) {
                return false;
            }
            p += written;
            size -= written;
        }
        return true;
    }
    bool Finish(const rarcore::FileTimestamp& time) override {
        FILETIME modified;
        bool known = true;
        if (time.hasUtc) {
            modified = ToFileTime(time.utcFileTime);
        } else {
            FILETIME local;
            known = DosDateTimeToFileTime(HIWORD(time.dosLocal), LOWORD(time.dosLocal), &local) &&
                    LocalFileTimeToFileTime(&local, &modified);
        }
        if (known) {
            SetFileTime(file_.get(), nullptr, nullptr, &modified);
        }
        return file_.Close();
    }

private:
    FileHandle file_;
};

HANDLE CreateForWriting(const std::wstring& path) {
    return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::unique_ptr<rarcore::InputFile> Win32FileSystem::OpenForReading(const std::string& path) {
    HANDLE handle = CreateFileW(Widen(path, CP_UTF8).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    LARGE_INTEGER size;
    if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<Win32InputFile>(handle, uint64_t(size.QuadPart));
}

std::unique_ptr<rarcore::OutputFile> Win32FileSystem::CreateOutput(const std::string& path) {
    std::wstring wide = Widen(path, CP_UTF8);
    HANDLE handle = CreateForWriting(wide);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        // An existing read-only, hidden or system file: overwrite it like any other.
        DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
            handle = CreateForWriting(wide);
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32OutputFile>(handle);
}

bool Win32FileSystem::MakeFolder(const std::string& path) {
    std::wstring wide = Widen(path, CP_UTF8);
    if (CreateDirectoryW(wide.c_str(), nullptr)) {
        return true;
    }
    DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32FileSystem::SetAttributes(const std::string& path, uint32_t windowsAttributes) {
    DWORD settable = windowsAttributes & ~DWORD(FILE_ATTRIBUTE_DIRECTORY);
    if (settable == 0 && (windowsAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return;  // a plain folder: nothing to change
    }
    SetFileAttributesW(Widen(path, CP_UTF8).c_str(), settable ? settable : FILE_ATTRIBUTE_NORMAL);
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
    return DeleteFileW(Widen(path, CP_UTF8).c_str());
}

std::string Win32FileSystem::LegacyNameToUtf8(const std::string& raw) const {
    return Narrow(Widen(raw, CP_ACP), CP_UTF8);
}

uint32_t Win32FileSystem::UtcToDosLocal(int64_t utcFileTime) const {
    FILETIME utc = ToFileTime(utcFileTime);
    FILETIME local;
    WORD date = 0;
    WORD time = 0;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToDosDateTime(&local, &date, &time)) {
        return rarcore::FileSystem::UtcToDosLocal(utcFileTime);
    }
    return uint32_t(date) << 16 | time;
}

}  // namespace unrardll
