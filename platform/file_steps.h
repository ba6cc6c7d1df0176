// The steps of replacing a file that differ from one system to the next,
// which each system's files give (posix_files.cpp, win32/win32_files.cpp)
// to the replacement they share (file_replace.cpp). A handle of -1 is none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform {

unsigned long file_step_process_id();
// Whatever stands at the path may be replaced: nothing, a regular file, or
// a link, which is replaced itself (what it points to is never written).
bool file_step_replaceable(const char* path);
// Creates the file only where nothing stands, through no link; its handle,
// or -1 with *taken telling whether something already had the name.
intptr_t file_step_create_new(const char* path, bool* taken);
// Writes all of data, brings it to the disk and closes the handle (closed
// either way); false when any of that failed.
bool file_step_write_and_close(intptr_t handle, const void* data, size_t size);
// Moves from over to in one step.
bool file_step_rename_over(const char* from, const char* to);
void file_step_remove(const char* path);
// Removes every entry of the folder (the path's part up to and with its
// last separator; empty for the working directory) whose name passes
// doomed: a link itself, never what it leads to, and never a directory.
void file_step_remove_entries(std::string_view folder, std::string_view base,
                              bool (*doomed)(std::string_view name, std::string_view base));

} // namespace platform
