#include "SharedLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <vector>

namespace zaro {

namespace {

void* Open(const std::string& path) {
    return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

} // namespace

std::string ProgramFileName() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2); // the path may have been cut short
    }
}

std::string ProgramDirectory() {
    const std::string path = ProgramFileName();
    return path.substr(0, path.rfind('/'));
}

void* OpenSharedLibrary(const std::string& fileName) {
    if (fileName.empty()) {
        return nullptr;
    }
    if (fileName.find('/') != std::string::npos) {
        return Open(fileName);
    }
    const std::string directory = ProgramDirectory();
    if (!directory.empty()) {
        if (void* library = Open(directory + "/" + fileName)) {
            return library;
        }
    }
    return Open(fileName);
}

void* FindSharedLibrarySymbol(void* library, const char* name) {
    return library ? ::dlsym(library, name) : nullptr;
}

void CloseSharedLibrary(void* library) {
    if (library) {
        ::dlclose(library);
    }
}

} // namespace zaro
