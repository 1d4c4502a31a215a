#include "Stream.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zaro {

std::int64_t TStream::Remaining() const {
    return std::max<std::int64_t>(0, Size() - Position());
}

void TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count < 0 || count > source.Remaining()) {
        throw EReadError();
    }
    std::array<std::uint8_t, 64 * 1024> buffer;
    while (count > 0) {
        auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(count, buffer.size()));
        source.Read(buffer.data(), chunk);
        Write(buffer.data(), chunk);
        count -= static_cast<std::int64_t>(chunk);
    }
}

void TMemoryStream::Read(void* buffer, std::size_t count) {
    if (count > static_cast<std::uint64_t>(Remaining())) {
        throw EReadError();
    }
    if (count > 0) {
        std::memcpy(buffer, Data.data() + Pos, count);
        Pos += static_cast<std::int64_t>(count);
    }
}

void TMemoryStream::Write(const void* buffer, std::size_t count) {
    if (count == 0) {
        return;
    }
    auto end = static_cast<std::size_t>(Pos) + count;
    if (end > Data.size()) {
        Data.resize(end);
    }
    std::memcpy(Data.data() + Pos, buffer, count);
    Pos = static_cast<std::int64_t>(end);
}

void TMemoryStream::SetPosition(std::int64_t position) {
    if (position < 0) {
        throw EStreamError("Stream seek error");
    }
    Pos = position;
}

void TMemoryStream::SetBytes(std::vector<std::uint8_t> bytes) {
    Data = std::move(bytes);
    Pos = 0;
}

namespace {

std::string FileErrorText(const char* what, const std::string& fileName) {
    return std::string(what) + " \"" + fileName + "\". " + std::strerror(errno);
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : Name(fileName) {
    switch (mode) {
    case TFileMode::fmCreate:
        Handle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (Handle < 0) {
            throw EFCreateError(FileErrorText("Cannot create file", fileName));
        }
        break;
    case TFileMode::fmOpenRead:
    case TFileMode::fmOpenReadWrite:
        Handle = ::open(fileName.c_str(),
                        (mode == TFileMode::fmOpenRead ? O_RDONLY : O_RDWR) | O_CLOEXEC);
        if (Handle < 0) {
            throw EFOpenError(FileErrorText("Cannot open file", fileName));
        }
        break;
    }
}

TFileStream::~TFileStream() {
    if (Handle >= 0) {
        ::close(Handle);
    }
}

void TFileStream::Read(void* buffer, std::size_t count) {
    if (count > static_cast<std::uint64_t>(Remaining())) {
        throw EReadError();
    }
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::pread(Handle, bytes + done, count - done, Pos + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw EReadError();
        }
        done += static_cast<std::size_t>(n);
    }
    Pos += static_cast<std::int64_t>(count);
}

void TFileStream::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::pwrite(Handle, bytes + done, count - done, Pos + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw EWriteError();
        }
        done += static_cast<std::size_t>(n);
    }
    Pos += static_cast<std::int64_t>(count);
}

void TFileStream::SetPosition(std::int64_t position) {
    if (position < 0) {
        throw EStreamError("Stream seek error");
    }
    Pos = position;
}

std::int64_t TFileStream::Size() const {
    struct stat info {};
    if (::fstat(Handle, &info) != 0) {
        throw EStreamError(FileErrorText("Cannot read the size of file", Name));
    }
    return static_cast<std::int64_t>(info.st_size);
}

} // namespace zaro
