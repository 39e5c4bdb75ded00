#pragma once
// The subcommands of dxgtool. Each takes the arguments after its name and returns the
// process exit status (0 done, 1 failed, 2 bad usage). A new subcommand adds its
// function here and its row to the table in main.cpp.
#include <optional>
#include <string>
#include <vector>

#include "presentation/image_archive.h"
#include "tools/artbuild/catalogue.h"

namespace dxgtool {

using Args = std::vector<std::string>;

int List(const Args& args);     // list ARCHIVE
int Extract(const Args& args);  // extract ARCHIVE OUTDIR
int Pack(const Args& args);     // pack MANIFEST -o ARCHIVE
int Check(const Args& args);    // check ARCHIVE CATALOGUE
int Sheet(const Args& args);    // sheet ARCHIVE OUT.png [CATALOGUE]

// The archive in the file, or nothing after reporting why it cannot be read.
std::optional<pres::ImageArchive> OpenArchive(const std::string& path);

// The catalogue in the file, or nothing after reporting the lines that do not read.
std::optional<artbuild::Catalogue> OpenCatalogue(const std::string& path);

}  // namespace dxgtool
