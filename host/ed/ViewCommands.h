// The view commands and calls: ZOOM (Center, Extents, Window, All, Previous, Scale, Object,
// a window's first corner or a scale factor as the first answer), acedSetCurrentView, and
// showing a drawing's extents when it is opened.
#pragma once

namespace dh::ed {

class Document;

// Fits the view to the extents of the current space's entities on layers that are not
// frozen; a drawing without entities keeps its view. False when nothing was changed.
bool zoomToExtents(Document& document);

// Remembers the document's view before a change, for ZOOM Previous.
void rememberView(const Document& document);

}  // namespace dh::ed
