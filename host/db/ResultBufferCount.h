// Result buffers handed out and not yet released, so that the editor can report a chain
// that a command or a module forgot to release.
#pragma once

#include <cstddef>

namespace dh::db {

std::size_t liveResultBuffers();

} // namespace dh::db
