// Whether a path names an existing directory. A path with wildcards (* ? [) is matched
// against the file system and its first match is tested.
#pragma once

namespace dh::lisp {

bool isDirectory(const char* path);

} // namespace dh::lisp
