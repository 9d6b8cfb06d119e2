// The drawing commands LINE, CIRCLE, ARC and PLINE, as typed or run by programs. New
// entities go to the current space with the current layer, colour and linetype; each point
// answered becomes LASTPOINT. A cancel keeps what was drawn before it, as the host does.
#include "host/ed/AnswerParser.h"
#include "host/ed/BuiltinCommandTable.h"
#include "host/ed/CommandRunner.h"
#include "host/ed/Document.h"
#include "host/ed/Session.h"
#include "host/ed/SystemVariables.h"

#include <acdb/AcDbArc.h>
#include <acdb/AcDbBlockTableRecord.h>
#include <acdb/AcDbCircle.h>
#include <acdb/AcDbDatabase.h>
#include <acdb/AcDbLine.h>
#include <acdb/AcDbPolyline.h>
#include <acdb/AcDbUtilities.h>
#include <acdb/AcadErrorStatus.h>

#include <cmath>
#include <optional>
#include <vector>

namespace dh::ed {
namespace {

constexpr double kPi = 3.14159265358979323846;

// One answer to a drawing prompt.
struct Reply {
    enum class Kind { Point, Number, Keyword, Enter, Cancel };
    Kind kind = Kind::Cancel;
    Point3 point;
    double number = 0.0;
    std::string keyword;
};

Point3 lastPoint(Session& s)
{
    const auto v = s.variables().get("LASTPOINT");
    return v ? Point3{v->point[0], v->point[1], v->point[2]} : Point3{};
}

// Asks until the answer is a point, a keyword of the list, Enter (when allowed) or, with
// numbers, a number; complains about anything else. Cancel reports the command cancelled.
Reply ask(Session& s, const std::string& prompt, const std::string& keywords, bool enterAllowed, bool numbers = false)
{
    const KeywordList list = KeywordList::parse(keywords);
    for (;;) {
        const std::optional<std::string> line = s.ask(prompt);
        Reply reply;
        if (!line) {
            reportCommandCancelled();
            return reply;
        }
        const std::string typed = trim(*line);
        if (typed.empty()) {
            if (!enterAllowed)
                continue;
            reply.kind = Reply::Kind::Enter;
            return reply;
        }
        if (numbers) {
            if (const auto value = parseReal(typed)) {
                reply.kind = Reply::Kind::Number;
                reply.number = *value;
                return reply;
            }
        }
        if (const auto p = parsePoint(typed, lastPoint(s))) {
            s.variables().setPoint("LASTPOINT", p->x, p->y, p->z);
            reply.kind = Reply::Kind::Point;
            reply.point = *p;
            return reply;
        }
        if (matchKeyword(list, typed, reply.keyword) == KeywordMatch::Found) {
            reply.kind = Reply::Kind::Keyword;
            return reply;
        }
        s.printDialogue(list.empty() ? "\nInvalid point." : "\nPoint or option keyword required.");
    }
}

// Appends entity to the current space with the drawing's current properties; false (the
// entity deleted) when it cannot be added.
bool append(Session& s, AcDbEntity* entity)
{
    AcDbDatabase* db = s.activeDocument()->database();
    entity->setDatabaseDefaults(db);
    entity->setColor(db->cecolor());
    AcDbBlockTableRecord* space = nullptr;
    AcDbObjectId id;
    if (acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        delete entity;
        return false;
    }
    const Acad::ErrorStatus es = space->appendAcDbEntity(id, entity);
    space->close();
    if (es != Acad::eOk) {
        delete entity;
        s.printDialogue("\nThe entity could not be added (" + std::string(acadErrorStatusText(es)) + ").");
        return false;
    }
    entity->close();
    return true;
}

AcGePoint3d toGe(const Point3& p) { return AcGePoint3d(p.x, p.y, p.z); }

double distance2d(const Point3& a, const Point3& b) { return std::hypot(b.x - a.x, b.y - a.y); }

void eraseEntity(AcDbObjectId id)
{
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) == Acad::eOk) {
        entity->erase();
        entity->close();
    }
}

AcDbObjectId appendLine(Session& s, const Point3& from, const Point3& to)
{
    auto* line = new AcDbLine(toGe(from), toGe(to));
    if (!append(s, line))
        return {};
    return line->objectId();
}

void lineCommand(Session& s)
{
    Reply first = ask(s, "\nSpecify first point: ", "", true);
    if (first.kind != Reply::Kind::Point)
        return;
    std::vector<Point3> points{first.point};
    std::vector<AcDbObjectId> segments;
    for (;;) {
        const bool closable = segments.size() >= 2;
        const Reply next = ask(s, closable ? "\nSpecify next point or [Close/Undo]: " : "\nSpecify next point or [Undo]: ",
                               closable ? "Close Undo" : "Undo", true);
        if (next.kind == Reply::Kind::Enter || next.kind == Reply::Kind::Cancel)
            return;
        if (next.keyword == "Undo") {
            if (segments.empty()) {
                s.printDialogue("\nAll segments already undone.");
                continue;
            }
            eraseEntity(segments.back());
            segments.pop_back();
            points.pop_back();
            s.variables().setPoint("LASTPOINT", points.back().x, points.back().y, points.back().z);
            continue;
        }
        const Point3 to = next.keyword == "Close" ? points.front() : next.point;
        const AcDbObjectId id = appendLine(s, points.back(), to);
        if (id.isNull())
            return;
        if (next.keyword == "Close")
            return;
        segments.push_back(id);
        points.push_back(to);
    }
}

// A circle through three points: its centre and radius, nullopt when they are in a line.
std::optional<std::pair<Point3, double>> circleThrough(const Point3& a, const Point3& b, const Point3& c)
{
    const double d = 2.0 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    const double scale = std::max({distance2d(a, b), distance2d(b, c), distance2d(a, c), 1e-300});
    if (std::fabs(d) <= 1e-12 * scale * scale)
        return std::nullopt;
    const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    const Point3 centre{(a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
                        (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d, a.z};
    return std::make_pair(centre, distance2d(centre, a));
}

// A radius typed, or shown by a point's distance from the centre; nullopt when cancelled.
std::optional<double> askLength(Session& s, const std::string& prompt, const Point3& from, const std::string& keywords,
                                std::string& keyword)
{
    for (;;) {
        const Reply reply = ask(s, prompt, keywords, false, true);
        if (reply.kind == Reply::Kind::Cancel)
            return std::nullopt;
        if (reply.kind == Reply::Kind::Keyword) {
            keyword = reply.keyword;
            return 0.0;
        }
        const double length = reply.kind == Reply::Kind::Number ? reply.number : distance2d(from, reply.point);
        if (length > 0.0)
            return length;
        s.printDialogue("\nValue must be positive and nonzero.");
    }
}

void appendCircle(Session& s, const Point3& centre, double radius)
{
    append(s, new AcDbCircle(toGe(centre), AcGeVector3d::kZAxis, radius));
}

void circleCommand(Session& s)
{
    const Reply first = ask(s, "\nSpecify center point for circle or [3P/2P]: ", "3P 2P", false);
    if (first.kind == Reply::Kind::Cancel)
        return;
    if (first.kind == Reply::Kind::Point) {
        std::string keyword;
        auto radius = askLength(s, "\nSpecify radius of circle or [Diameter]: ", first.point, "Diameter", keyword);
        if (radius && keyword == "Diameter") {
            keyword.clear();
            radius = askLength(s, "\nSpecify diameter of circle: ", first.point, "", keyword);
            if (radius)
                *radius /= 2.0;
        }
        if (radius)
            appendCircle(s, first.point, *radius);
        return;
    }
    const bool three = first.keyword == "3P";
    std::vector<Point3> points;
    for (int i = 0; i < (three ? 3 : 2); ++i) {
        static const char* const kPrompts[] = {"\nSpecify first point on circle: ", "\nSpecify second point on circle: ",
                                               "\nSpecify third point on circle: "};
        const char* prompt = !three && i == 1 ? "\nSpecify second end point of circle's diameter: "
                                              : !three ? "\nSpecify first end point of circle's diameter: " : kPrompts[i];
        const Reply reply = ask(s, prompt, "", false);
        if (reply.kind != Reply::Kind::Point)
            return;
        points.push_back(reply.point);
    }
    if (!three) {
        const Point3 centre{(points[0].x + points[1].x) / 2, (points[0].y + points[1].y) / 2, points[0].z};
        if (distance2d(points[0], points[1]) > 0.0)
            appendCircle(s, centre, distance2d(points[0], points[1]) / 2.0);
        else
            s.printDialogue("\nCircle does not exist.");
        return;
    }
    if (const auto circle = circleThrough(points[0], points[1], points[2]))
        appendCircle(s, circle->first, circle->second);
    else
        s.printDialogue("\nCircle does not exist.");
}

double direction(const Point3& from, const Point3& to) { return std::atan2(to.y - from.y, to.x - from.x); }

// The arc from start to end about centre, counter-clockwise.
void appendArc(Session& s, const Point3& centre, const Point3& start, const Point3& end)
{
    const double radius = distance2d(centre, start);
    if (radius <= 0.0) {
        s.printDialogue("\nArc does not exist.");
        return;
    }
    append(s, new AcDbArc(toGe(centre), radius, direction(centre, start), direction(centre, end)));
}

std::optional<Point3> askPoint(Session& s, const std::string& prompt)
{
    const Reply reply = ask(s, prompt, "", false);
    return reply.kind == Reply::Kind::Point ? std::optional<Point3>(reply.point) : std::nullopt;
}

// ARC by three points, or start, center, end, or center, start, end.
void arcCommand(Session& s)
{
    const Reply first = ask(s, "\nSpecify start point of arc or [Center]: ", "Center", false);
    if (first.kind == Reply::Kind::Cancel)
        return;
    if (first.kind == Reply::Kind::Keyword) {
        const auto centre = askPoint(s, "\nSpecify center point of arc: ");
        const auto start = centre ? askPoint(s, "\nSpecify start point of arc: ") : std::nullopt;
        const auto end = start ? askPoint(s, "\nSpecify end point of arc: ") : std::nullopt;
        if (end)
            appendArc(s, *centre, *start, *end);
        return;
    }
    const Reply second = ask(s, "\nSpecify second point of arc or [Center]: ", "Center", false);
    if (second.kind == Reply::Kind::Cancel)
        return;
    if (second.kind == Reply::Kind::Keyword) {
        const auto centre = askPoint(s, "\nSpecify center point of arc: ");
        const auto end = centre ? askPoint(s, "\nSpecify end point of arc: ") : std::nullopt;
        if (end)
            appendArc(s, *centre, first.point, *end);
        return;
    }
    const auto end = askPoint(s, "\nSpecify end point of arc: ");
    if (!end)
        return;
    const auto circle = circleThrough(first.point, second.point, *end);
    if (!circle) {
        s.printDialogue("\nArc does not exist.");
        return;
    }
    // Counter-clockwise from the start when the end lies counter-clockwise of the second
    // point, as seen from the start.
    const double turn = (second.point.x - first.point.x) * (end->y - first.point.y) -
                        (second.point.y - first.point.y) * (end->x - first.point.x);
    if (turn > 0)
        appendArc(s, circle->first, first.point, *end);
    else
        appendArc(s, circle->first, *end, first.point);
}

// One vertex of the polyline being drawn: its point and the bulge of the segment after it.
struct Vertex {
    Point3 point;
    double bulge = 0.0;
};

// The bulge of an arc leaving from with the given tangent direction and ending at to.
double tangentBulge(const Point3& from, double tangent, const Point3& to)
{
    double turn = direction(from, to) - tangent;
    while (turn > kPi)
        turn -= 2 * kPi;
    while (turn <= -kPi)
        turn += 2 * kPi;
    return std::tan(turn / 2.0);
}

// The direction in which the segment after vertex i leaves its end point.
double endTangent(const std::vector<Vertex>& v, std::size_t i)
{
    const double chord = direction(v[i].point, v[i + 1].point);
    return chord + 2.0 * std::atan(v[i].bulge);
}

void appendPolyline(Session& s, const std::vector<Vertex>& vertices, bool closed, double width)
{
    if (vertices.size() < 2)
        return;
    auto* pline = new AcDbPolyline(static_cast<unsigned int>(vertices.size()));
    for (unsigned int i = 0; i < vertices.size(); ++i)
        pline->addVertexAt(i, AcGePoint2d(vertices[i].point.x, vertices[i].point.y), vertices[i].bulge);
    pline->setElevation(vertices.front().point.z);
    pline->setClosed(closed);
    if (width > 0.0)
        pline->setConstantWidth(width);
    append(s, pline);
}

// PLINE with line and arc segments (arcs continue tangentially), Close, Undo and Width.
void plineCommand(Session& s)
{
    const Reply first = ask(s, "\nSpecify start point: ", "", false);
    if (first.kind != Reply::Kind::Point)
        return;
    std::vector<Vertex> vertices{{first.point, 0.0}};
    double width = 0.0;
    bool arcs = false;
    s.printDialogue("\nCurrent line-width is 0.0000");
    for (;;) {
        const bool closable = vertices.size() >= 2;
        const std::string prompt = arcs ? "\nSpecify endpoint of arc or [Close/Line/Undo/Width]: "
                                        : closable ? "\nSpecify next point or [Arc/Close/Undo/Width]: "
                                                   : "\nSpecify next point or [Arc/Undo/Width]: ";
        const Reply next = ask(s, prompt, arcs ? "Close Line Undo Width" : "Arc Close Undo Width", true);
        if (next.kind == Reply::Kind::Cancel || next.kind == Reply::Kind::Enter) {
            if (next.kind == Reply::Kind::Enter || vertices.size() >= 2)
                appendPolyline(s, vertices, false, width);
            return;
        }
        if (next.kind == Reply::Kind::Point) {
            if (arcs) {
                const double tangent = vertices.size() >= 2 ? endTangent(vertices, vertices.size() - 2) : 0.0;
                vertices.back().bulge = tangentBulge(vertices.back().point, tangent, next.point);
            }
            vertices.push_back({next.point, 0.0});
        } else if (next.keyword == "Arc" || next.keyword == "Line") {
            arcs = next.keyword == "Arc";
        } else if (next.keyword == "Close") {
            if (!closable) {
                s.printDialogue("\nCannot close a polyline of one vertex.");
                continue;
            }
            if (arcs)
                vertices.back().bulge =
                    tangentBulge(vertices.back().point, endTangent(vertices, vertices.size() - 2), vertices.front().point);
            appendPolyline(s, vertices, true, width);
            return;
        } else if (next.keyword == "Undo") {
            if (vertices.size() > 1)
                vertices.pop_back();
            vertices.back().bulge = 0.0;
        } else if (next.keyword == "Width") {
            std::string ignored;
            const auto w = askLength(s, "\nSpecify width <0.0000>: ", Point3{}, "", ignored);
            if (!w)
                return;
            width = *w;
        }
    }
}

const BuiltinCommandRegistrar kLine("LINE", lineCommand);
const BuiltinCommandRegistrar kCircle("CIRCLE", circleCommand);
const BuiltinCommandRegistrar kArc("ARC", arcCommand);
const BuiltinCommandRegistrar kPline("PLINE", plineCommand);

}  // namespace
}  // namespace dh::ed
