// SPDX-License-Identifier: MIT
#include "platform/posix/runtime_library.h"

#include <dlfcn.h>

namespace titletype {

RuntimeLibrary::RuntimeLibrary(const char* soname)
    : soname_(soname), handle_(dlopen(soname, RTLD_LAZY | RTLD_LOCAL)) {
  if (!handle_) {
    const char* why = dlerror();
    error_ = std::string("cannot load ") + (why ? why : soname);
  }
}

void* RuntimeLibrary::symbol(const char* name) {
  if (!handle_) return nullptr;
  void* address = dlsym(handle_, name);
  if (!address && error_.empty()) error_ = std::string(soname_) + " has no " + name;
  return address;
}

}  // namespace titletype
