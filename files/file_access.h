#pragma once
// Reading and writing whole files by path, safely for a user's files: opening never
// blocks on a pipe or a device, and saving replaces a file only once the new bytes
// are complete on disc.
#include <cstddef>
#include <string_view>

namespace velmora {

// Reads up to max bytes from the start of the regular file at path into buffer.
// Returns the number read, or -1 when the path cannot be opened, names anything but a
// regular file (a pipe, a device, a folder) or cannot be read. Never waits for a
// writer or a device.
long ReadRegularFileHead(const char* path, char* buffer, std::size_t max);

// Writes bytes to path through a temporary file in the target's folder that is then
// renamed over it, so that a failed write leaves an existing file as it was.
// - A symbolic link is followed: its final target is written, the link stays.
// - An existing target that is not a regular file, or that is read-only (no write
//   permission for the user, or no write bit at all), is refused.
// - The new file keeps the old file's mode, and its owner and group where the user
//   may set them; a new file gets the mode the user's umask gives.
// - The temporary file has a short unique name, is created exclusively and is
//   removed on every failure; where the file system allows it, it has no name at all
//   until it is complete.
// False on any failure.
bool WriteFileReplacing(const char* path, std::string_view bytes);

}  // namespace velmora
