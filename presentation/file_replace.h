#pragma once
// Replacing a file as one step: the new contents go to a temporary file beside it, which is
// flushed to disk and renamed over the old file; then the folder is flushed, so the rename
// reaches the disk too. A crash or a full disk leaves either the old file or the new one.
#include <functional>
#include <string>
#include <string_view>

namespace pres {

// Creates the file's folder when it is missing. An existing file keeps its permission bits;
// one that cannot be written is refused. False with *error saying why when the file
// could not be replaced; the old file is then unchanged and no temporary file is left.
// `beforeReplace` (tests) runs after the new contents are on disk, before the rename.
bool ReplaceFile(const std::string& path, std::string_view contents, std::string* error,
                 const std::function<void()>& beforeReplace = {});

}  // namespace pres
