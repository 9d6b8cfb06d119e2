// JLL_T: joining broken contour lines, in batches across two fences (the default), two
// picked lines (A) or a picked line with the lines touching its ends (B).
#pragma once

namespace dh::terrain {

// The whole dialogue of JLL_T, from its first prompt to its last message.
void joinContoursCommand();

// Mode A: two picked lines joined at their nearest ends.
void joinSingle();
// Mode B: the picked line joined with the line at its start and the line at its end.
void joinConnected();

} // namespace dh::terrain
