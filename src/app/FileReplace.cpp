#include "FileReplace.h"

#include "Stream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace zaro {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const char* what, const std::string& fileName, int error) {
    throw EFCreateError(std::string(what) + " \"" + fileName + "\". " + std::strerror(error));
}

// The file that is really written: the one a symbolic link points at.
fs::path WrittenPath(const std::string& fileName) {
    const fs::path path(fileName);
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        fs::path target = fs::canonical(path, error);
        if (!error) {
            return target;
        }
    }
    return path;
}

// A new file beside `target` that no one else uses; its name is stored in `tempName`.
int CreateTempBeside(const fs::path& target, std::string& tempName) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string stem =
        "." + target.filename().string() + ".saving-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = (folder / (stem + std::to_string(attempt))).string();
        const int handle = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST) {
            return handle;
        }
    }
    errno = EEXIST;
    return -1;
}

// 0 on success, else the error number.
int WriteAll(int handle, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(handle, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(handle) == 0 ? 0 : errno;
}

void KeepPermissions(int handle, const fs::path& target) {
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::fchmod(handle, old.st_mode & 07777);
    }
}

} // namespace

void ReplaceFileContents(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
    const fs::path target = WrittenPath(fileName);
    std::string tempName;
    const int handle = CreateTempBeside(target, tempName);
    if (handle < 0) {
        Fail("Cannot create file", fileName, errno);
    }
    KeepPermissions(handle, target);
    int error = WriteAll(handle, bytes);
    if (::close(handle) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(tempName.c_str());
        Fail("Cannot write file", fileName, error);
    }
}

} // namespace zaro
