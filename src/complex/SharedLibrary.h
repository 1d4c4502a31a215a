#pragma once
// The platform's dynamic loader: open a shared library by file name, look up
// an entry point by name, release the library.

#include <string>

namespace zaro {

// Full path of the running program's file (links resolved); empty when the
// platform cannot tell.
std::string ProgramFileName();
// Folder of the running program, without a trailing separator; empty when the
// platform cannot tell.
std::string ProgramDirectory();

// Opens the library. A bare file name is tried in the program's own folder
// first, then by the loader's search path; a name with a folder part is opened
// as given. Returns null on failure.
void* OpenSharedLibrary(const std::string& fileName);

// The address of an exported entry point, or null when it is not exported.
void* FindSharedLibrarySymbol(void* library, const char* name);

void CloseSharedLibrary(void* library);

} // namespace zaro
