// SPDX-License-Identifier: MIT
// A library loaded when the part of the game that needs it starts, as SDL
// and GLFW load theirs: the X11 window loads libX11 when it opens, the
// Wayland window libwayland-client, and libdecor or xkbcommon only when it
// needs them, so that each way of playing maps only its own libraries. A
// library is opened once and never closed: its callbacks and atexit
// handlers may run until the process ends.
#pragma once

#include <string>

namespace titletype {

class RuntimeLibrary {
 public:
  /// Opens `soname` (such as "libX11.so.6") with its own symbols kept
  /// local; `error()` says why when it is missing.
  explicit RuntimeLibrary(const char* soname);

  bool loaded() const { return handle_ != nullptr; }
  /// One line: what could not be loaded or resolved, and why.
  const std::string& error() const { return error_; }

  /// The address of `name`, or null (and `error()` says so) where the
  /// library lacks it.
  void* symbol(const char* name);

  /// Sets `slot` to the function `name`; false where it is missing.
  template <typename Function>
  bool resolve(Function& slot, const char* name) {
    slot = reinterpret_cast<Function>(symbol(name));
    return slot != nullptr;
  }

 private:
  const char* soname_;
  void* handle_;
  std::string error_;
};

// A library's table of functions, from a list of their names F(name)...:
// each member is typed as the library's header declares the function.
// NOLINTNEXTLINE(bugprone-macro-parentheses): a name, not an expression
#define TITLETYPE_FUNCTION_MEMBER(name) decltype(&::name) name = nullptr;
#define TITLETYPE_RESOLVE_FUNCTION(name) found = found && library.resolve(table.name, #name);

/// Loads `soname` into a Table whose members TITLETYPE_RESOLVE_FUNCTION
/// fills in `resolve_all(library, table, found)`; throws Fault with the
/// library's one line where anything is missing.
template <typename Table, typename Fault, typename ResolveAll>
Table load_function_table(const char* soname, ResolveAll resolve_all) {
  RuntimeLibrary library(soname);
  Table table;
  bool found = library.loaded();
  resolve_all(library, table, found);
  if (!found) throw Fault(library.error());
  return table;
}

}  // namespace titletype
