#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brackmoor {

// Text rules for paths, written once for both path styles so that the Windows behaviour
// (drive letters, "\", three-character roots) is tested on Linux too.
//   Windows: "\" separates; a root is a drive root such as "C:\".
//   Posix:   "/" separates, and so does "\" when a component is taken, so that a value stored
//            on Windows still shows its file name; the root is "/".
enum class PathStyle { Windows, Posix };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The separator a path of this style is built with.
char PathSeparator(PathStyle style);
bool IsPathSeparator(char c, PathStyle style);

// The text after the last separator ("" for a path ending in one); nothing when the path holds
// no separator at all.
std::optional<std::string> LastComponent(std::string_view path, PathStyle style);

// The path without one trailing separator.
std::string StripTrailingSeparator(std::string_view path, PathStyle style);

// True for the root of a drive or of the file system: "C:\" (any drive letter) or "/".
bool IsRootPath(std::string_view path, PathStyle style);

// The folder that holds `path`; a root is its own parent, and the parent of "C:\Games" is
// "C:\", of "/games" is "/".
std::string ParentPath(std::string_view path, PathStyle style);

// `folder` and `name` joined by exactly one separator.
std::string JoinPath(std::string_view folder, std::string_view name, PathStyle style);

// The root the program falls back to when a folder cannot be read: "C:\" or "/".
std::string SystemRoot(PathStyle style);

}  // namespace brackmoor
