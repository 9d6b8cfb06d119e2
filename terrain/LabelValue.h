// The number a label stands for, as the C library's atof reads it: the longest leading
// decimal number of the text, 0 when there is none.
#pragma once

namespace dh::terrain {

double labelValue(const char* text);

} // namespace dh::terrain
