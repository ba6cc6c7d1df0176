// The one reader of res/quobbin.rc outside the resource compiler, shared
// by the embedder, the song tools and the tests. A line of exactly three
// words, NAME TYPE "file", lists a resource: NAME and TYPE are words of
// letters, digits and underscores (the name may stand in quotes, as the
// icon's "0" does), and the file, in quotes, lies beside the script. Every
// other line (comments, includes, the menu, the dialog, the version) is
// left alone.
#pragma once

#include "platform/resource_table.h"

#include <string>
#include <vector>

// Reads every resource the script at path lists, with its file's bytes,
// into store. A file that is missing or empty is left out and named in
// missing (a tool may run before every file is made). False when the
// script itself cannot be read.
bool resource_script_load(const std::string& path, platform::ResourceStore* store, std::vector<std::string>* missing);
