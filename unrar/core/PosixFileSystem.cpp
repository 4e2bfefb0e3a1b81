#include "unrar/core/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "unrar/core/DosTime.h"

namespace rarcore {
namespace {

const int64_t kUnixEpochAsFileTime = 116444736000000000;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

class PosixInputFile : public InputFile {
public:
    PosixInputFile(int fd, uint64_t size) : fd_(fd), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool Seek(uint64_t offset) override {
        return ::lseek(fd_.get(), off_t(offset), SEEK_SET) == off_t(offset);
    }
    bool Read(void* buffer, size_t size, size_t& got) override {
        ssize_t n;
        do {
            n = ::read(fd_.get(), buffer, size);
        } while (n < 0 && errno == EINTR);
        got = n > 0 ? size_t(n) : 0;
        return n >= 0;
    }

private:
    FileDescriptor fd_;
    uint64_t size_;
};

class PosixOutputFile : public OutputFile {
public:
    explicit PosixOutputFile(int fd) : fd_(fd) {}
    bool Write(const void* data, size_t size) override {
        auto p = static_cast<const char*>(data);
        while (size > 0) {
            ssize_t n = ::write(fd_.get(), p, size);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return false;
            }
            p += n;
            size -= size_t(n);
        }
        return true;
    }
    bool Finish(const FileTimestamp& time) override {
        timespec times[2];
        times[0].tv_sec = 0;
        times[0].tv_nsec = UTIME_OMIT;  // access time
        if (time.hasUtc) {
            int64_t since1970 = time.utcFileTime - kUnixEpochAsFileTime;
            times[1].tv_sec = time_t(since1970 / 10000000);
            times[1].tv_nsec = long(since1970 % 10000000) * 100;
            if (times[1].tv_nsec < 0) {
                times[1].tv_nsec += 1000000000;
                --times[1].tv_sec;
            }
        } else {
            CalendarTime c = CalendarFromDosTime(time.dosLocal);
            std::tm local{};
            local.tm_year = c.year - 1900;
            local.tm_mon = c.month - 1;
            local.tm_mday = c.day;
            local.tm_hour = c.hour;
            local.tm_min = c.minute;
            local.tm_sec = c.second;
            local.tm_isdst = -1;
            times[1].tv_sec = std::mktime(&local);
            times[1].tv_nsec = 0;
        }
        ::futimens(fd_.get(), times);
        return fd_.Close();
    }

private:
    FileDescriptor fd_;
};

}  // namespace

std::unique_ptr<InputFile> PosixFileSystem::OpenForReading(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixInputFile>(fd, uint64_t(st.st_size));
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateOutput(const std::string& path) {
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW;
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0 && errno == EACCES) {
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            ::chmod(path.c_str(), st.st_mode | S_IWUSR);  // overwrite a read-only file
            fd = ::open(path.c_str(), flags, 0666);
        }
    }
    if (fd < 0) {
        return nullptr;
    }
    return std::make_unique<PosixOutputFile>(fd);
}

bool PosixFileSystem::MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) {
        return true;
    }
    struct stat st;
    return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void PosixFileSystem::SetAttributes(const std::string& path, uint32_t windowsAttributes) {
    struct stat st;
    if ((windowsAttributes & 0x01) && ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        ::chmod(path.c_str(), st.st_mode & ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH));
    }
}

bool PosixFileSystem::RemoveFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

uint32_t PosixFileSystem::UtcToDosLocal(int64_t utcFileTime) const {
    std::time_t seconds = std::time_t((utcFileTime - kUnixEpochAsFileTime) / 10000000);
    std::tm local{};
    if (!::localtime_r(&seconds, &local)) {
        return FileSystem::UtcToDosLocal(utcFileTime);
    }
    CalendarTime c;
    c.year = local.tm_year + 1900;
    c.month = local.tm_mon + 1;
    c.day = local.tm_mday;
    c.hour = local.tm_hour;
    c.minute = local.tm_min;
    c.second = local.tm_sec;
    return DosTimeFrom(c);
}

}  // namespace rarcore
