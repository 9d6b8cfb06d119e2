// The current view of a document: what the drawing window shows.
//
// The view looks from `direction` at `target`; the display coordinate system (DCS) has its
// origin at the target, its Z axis along the direction and its X axis from the arbitrary-axis
// rule, turned by `twist`. `centre` is the world point shown in the middle (VIEWCTR: the user
// system is the world system here), `height` in drawing units. The screen is
// `screenWidth` × `screenHeight` pixels, so the view is height × screenWidth / screenHeight
// wide. View records give their centre in DCS; setFromRecord converts it.
#pragma once

#include <optional>

namespace dh::ed {

struct ViewPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// An axis-aligned rectangle in display (or plan) coordinates.
struct ViewBox {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
};

class View {
public:
    static constexpr double kScreenWidth = 1600.0;
    static constexpr double kScreenHeight = 900.0;
    // A new drawing shows the default limits 0,0 .. 12,9.
    static constexpr double kDefaultHeight = 9.0;

    ViewPoint centre{6.0, 4.5, 0.0};  // VIEWCTR, world
    double height = kDefaultHeight;     // VIEWSIZE
    double screenWidth = kScreenWidth;  // SCREENSIZE x
    double screenHeight = kScreenHeight;  // SCREENSIZE y
    ViewPoint direction{0.0, 0.0, 1.0};  // VIEWDIR, from target towards the viewer
    ViewPoint target{};                  // TARGET
    double twist = 0.0;                  // VIEWTWIST, radians
    int mode = 0;                        // VIEWMODE bits
    double lensLength = 50.0;            // LENSLENGTH
    double frontZ = 0.0;                 // FRONTZ
    double backZ = 0.0;                  // BACKZ

    double width() const { return height * screenWidth / screenHeight; }
    // Drawing units per screen pixel.
    double pixelSize() const { return height / screenHeight; }
    // True for a plan view of the world XY plane (no twist, looking down Z).
    bool isPlan() const;

    // The middle of the view in display coordinates (z 0).
    ViewPoint displayCentre() const;
    // The visible rectangle in display coordinates.
    ViewBox displayBox() const;
    // Whether a display point lies in the visible rectangle (edges included).
    bool showsDisplayPoint(double x, double y) const;

    ViewPoint worldToDisplay(const ViewPoint& world) const;
    ViewPoint displayToWorld(const ViewPoint& display) const;
    // Displacements (no translation by the target).
    ViewPoint worldToDisplayVector(const ViewPoint& world) const;
    ViewPoint displayToWorldVector(const ViewPoint& display) const;

    // Centres the view on a world point with the given height (ZOOM C). False and no change
    // for a height that is not positive.
    bool zoomCentre(const ViewPoint& worldCentre, double newHeight);
    // Shows the display rectangle whole: the height fits both its height and its width at
    // the screen's aspect (ZOOM W, extents, view records). False and no change when the
    // rectangle is degenerate in both directions.
    bool zoomDisplayBox(const ViewBox& box);
    // Fits a world box (two corners) into the view, as ZOOM E does with the drawing's extents.
    bool zoomWorldBox(const ViewPoint& lower, const ViewPoint& upper);
    // Takes centre (display), height and width as a view record gives them; the height is
    // the larger of the given height and the one the width needs at the screen's aspect.
    bool setFromRecord(double centreX, double centreY, double recordHeight, double recordWidth);
};

}  // namespace dh::ed
