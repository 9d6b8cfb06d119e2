#include "TerrainDxf.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace dh::tools {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Layer names in GBK as surveyors' drawings have them: 等高线 (contours), 计曲线 (index
// contours), 高程点 (elevation points), 高程注记 (elevation labels).
const char* const kContourLayer = "\xB5\xC8\xB8\xDF\xCF\xDF";
const char* const kIndexLayer = "\xBC\xC6\xC7\xFA\xCF\xDF";
const char* const kPointLayer = "\xB8\xDF\xB3\xCC\xB5\xE3";
const char* const kLabelLayer = "\xB8\xDF\xB3\xCC\xD7\xA2\xBC\xC7";

class Writer {
public:
    explicit Writer(std::ostream& out) : m_out(out) {}

    void group(int code, const std::string& value)
    {
        char head[16];
        std::snprintf(head, sizeof head, "%3d\n", code);
        m_out << head << value << '\n';
    }
    void number(int code, double value)
    {
        char text[40];
        std::snprintf(text, sizeof text, "%.3f", value);
        group(code, text);
    }
    void integer(int code, long value) { group(code, std::to_string(value)); }
    std::uint64_t handle()
    {
        std::uint64_t h = m_next++;
        char text[20];
        std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(h));
        group(5, text);
        return h;
    }
    void pointer(int code, std::uint64_t h)
    {
        char text[20];
        std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(h));
        group(code, text);
    }
    std::uint64_t reserve() { return m_next++; }
    std::uint64_t next() const { return m_next; }
    // Continues with handles from `next`; answers where the run left off.
    std::uint64_t switchHandles(std::uint64_t next)
    {
        std::swap(m_next, next);
        return next;
    }

private:
    std::ostream& m_out;
    std::uint64_t m_next = 0x30;
};

struct Contour {
    std::vector<double> xy;
    double elevation;
    bool closed;
};

struct Handles {
    std::uint64_t model = 0x1F, paper = 0x22, block = 0x25, layout = 0x2A, paperLayout = 0x2B;
    std::uint64_t root = 0x26, groups = 0x27, layouts = 0x28;
};

void entityHead(Writer& w, const char* type, const char* layer, std::uint64_t owner)
{
    w.group(0, type);
    w.handle();
    w.pointer(330, owner);
    w.group(100, "AcDbEntity");
    w.group(8, layer);
}

void table(Writer& w, const char* name, std::uint64_t h, int count)
{
    w.group(0, "TABLE");
    w.group(2, name);
    w.pointer(5, h);
    w.pointer(330, 0);
    w.group(100, "AcDbSymbolTable");
    w.integer(70, count);
}

void record(Writer& w, const char* type, const char* subclass, std::uint64_t table, std::uint64_t h)
{
    w.group(0, type);
    w.pointer(std::string(type) == "DIMSTYLE" ? 105 : 5, h);
    w.pointer(330, table);
    w.group(100, "AcDbSymbolTableRecord");
    w.group(100, subclass);
}

void writeTables(Writer& w, const Handles& h)
{
    w.group(0, "SECTION");
    w.group(2, "TABLES");
    table(w, "VPORT", 0x8, 1);
    record(w, "VPORT", "AcDbViewportTableRecord", 0x8, 0x29);
    w.group(2, "*Active");
    w.integer(70, 0);
    w.group(0, "ENDTAB");
    table(w, "LTYPE", 0x5, 3);
    const char* linetypes[] = {"ByBlock", "ByLayer", "Continuous"};
    for (int i = 0; i < 3; ++i) {
        record(w, "LTYPE", "AcDbLinetypeTableRecord", 0x5, 0x14 + i);
        w.group(2, linetypes[i]);
        w.integer(70, 0);
        w.group(3, i == 2 ? "Solid line" : "");
        w.integer(72, 65);
        w.integer(73, 0);
        w.number(40, 0.0);
    }
    w.group(0, "ENDTAB");
    table(w, "LAYER", 0x2, 5);
    const char* layers[] = {"0", kContourLayer, kIndexLayer, kPointLayer, kLabelLayer};
    const int colours[] = {7, 3, 5, 1, 2};
    for (int i = 0; i < 5; ++i) {
        record(w, "LAYER", "AcDbLayerTableRecord", 0x2, 0x0B + i);
        w.group(2, layers[i]);
        w.integer(70, 0);
        w.integer(62, colours[i]);
        w.group(6, "Continuous");
    }
    w.group(0, "ENDTAB");
    table(w, "STYLE", 0x3, 1);
    record(w, "STYLE", "AcDbTextStyleTableRecord", 0x3, 0x11);
    w.group(2, "Standard");
    w.integer(70, 0);
    w.number(40, 0.0);
    w.number(41, 1.0);
    w.number(50, 0.0);
    w.integer(71, 0);
    w.number(42, 2.5);
    w.group(3, "txt");
    w.group(4, "");
    w.group(0, "ENDTAB");
    table(w, "VIEW", 0x6, 0);
    w.group(0, "ENDTAB");
    table(w, "UCS", 0x7, 0);
    w.group(0, "ENDTAB");
    table(w, "APPID", 0x9, 1);
    record(w, "APPID", "AcDbRegAppTableRecord", 0x9, 0x12);
    w.group(2, "ACAD");
    w.integer(70, 0);
    w.group(0, "ENDTAB");
    table(w, "DIMSTYLE", 0xA, 1);
    w.group(100, "AcDbDimStyleTable");
    record(w, "DIMSTYLE", "AcDbDimStyleTableRecord", 0xA, 0x2C);
    w.group(2, "Standard");
    w.integer(70, 0);
    w.group(0, "ENDTAB");
    table(w, "BLOCK_RECORD", 0x1, 3);
    const std::pair<const char*, std::uint64_t> blocks[] = {
        {"*Model_Space", h.model}, {"*Paper_Space", h.paper}, {"GCD", h.block}};
    for (const auto& [name, handle] : blocks) {
        record(w, "BLOCK_RECORD", "AcDbBlockTableRecord", 0x1, handle);
        w.group(2, name);
        if (handle == h.model) w.pointer(340, h.layout);
        if (handle == h.paper) w.pointer(340, h.paperLayout);
    }
    w.group(0, "ENDTAB");
    w.group(0, "ENDSEC");
}

void blockBegin(Writer& w, const char* name, std::uint64_t owner)
{
    entityHead(w, "BLOCK", "0", owner);
    w.group(100, "AcDbBlockBegin");
    w.group(2, name);
    w.integer(70, std::string(name) == "GCD" ? 2 : 0);
    w.number(10, 0.0);
    w.number(20, 0.0);
    w.number(30, 0.0);
    w.group(3, name);
    w.group(1, "");
}

void blockEnd(Writer& w, std::uint64_t owner)
{
    entityHead(w, "ENDBLK", "0", owner);
    w.group(100, "AcDbBlockEnd");
}

void writeBlocks(Writer& w, const Handles& h)
{
    w.group(0, "SECTION");
    w.group(2, "BLOCKS");
    blockBegin(w, "*Model_Space", h.model);
    blockEnd(w, h.model);
    blockBegin(w, "*Paper_Space", h.paper);
    blockEnd(w, h.paper);
    blockBegin(w, "GCD", h.block);
    entityHead(w, "CIRCLE", "0", h.block);
    w.group(100, "AcDbCircle");
    w.number(10, 0.0);
    w.number(20, 0.0);
    w.number(30, 0.0);
    w.number(40, 0.5);
    entityHead(w, "ATTDEF", "0", h.block);
    w.group(100, "AcDbText");
    w.number(10, 0.8);
    w.number(20, 0.0);
    w.number(30, 0.0);
    w.number(40, 2.0);
    w.group(1, "0.00");
    w.group(100, "AcDbAttributeDefinition");
    w.group(3, "H");
    w.group(2, "H");
    w.integer(70, 0);
    blockEnd(w, h.block);
    w.group(0, "ENDSEC");
}

Contour makeContour(std::mt19937& random, int vertices)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Contour c;
    double cx = 500000.0 + unit(random) * 20000.0, cy = 3000000.0 + unit(random) * 20000.0;
    double radius = 5.0 + unit(random) * 200.0;
    c.elevation = std::round((20.0 + unit(random) * 500.0) * 2.0) / 2.0;
    c.closed = unit(random) < 0.5;
    int n = std::max(4, vertices / 2 + static_cast<int>(unit(random) * vertices));
    double wobble = 0.05 + unit(random) * 0.15, phase = unit(random) * 2.0 * kPi;
    double sweep = c.closed ? 2.0 * kPi : kPi * (0.5 + unit(random));
    for (int i = 0; i < n; ++i) {
        double t = sweep * i / n;
        double r = radius * (1.0 + wobble * std::sin(5.0 * t + phase));
        c.xy.push_back(cx + r * std::cos(t));
        c.xy.push_back(cy + r * std::sin(t));
    }
    return c;
}

// Index contours (every 5 units) have their own layer; old-style ones all lie on one.
const char* contourLayer(const Contour& c, bool oldStyle)
{
    return !oldStyle && std::fmod(c.elevation, 5.0) == 0.0 ? kIndexLayer : kContourLayer;
}

void writeLightweight(Writer& w, const Contour& c, const Handles& h, const char* layer)
{
    entityHead(w, "LWPOLYLINE", layer, h.model);
    w.group(100, "AcDbPolyline");
    w.integer(90, static_cast<long>(c.xy.size() / 2));
    w.integer(70, c.closed ? 1 : 0);
    w.number(38, c.elevation);
    for (std::size_t i = 0; i < c.xy.size(); i += 2) {
        w.number(10, c.xy[i]);
        w.number(20, c.xy[i + 1]);
    }
}

void writeOldStyle(Writer& w, const Contour& c, const Handles& h, const char* layer)
{
    entityHead(w, "POLYLINE", layer, h.model);
    std::uint64_t owner = w.next() - 1;
    w.group(100, "AcDb2dPolyline");
    w.integer(66, 1);
    w.number(10, 0.0);
    w.number(20, 0.0);
    w.number(30, c.elevation);
    w.integer(70, c.closed ? 1 : 0);
    for (std::size_t i = 0; i < c.xy.size(); i += 2) {
        entityHead(w, "VERTEX", layer, owner);
        w.group(100, "AcDbVertex");
        w.group(100, "AcDb2dVertex");
        w.number(10, c.xy[i]);
        w.number(20, c.xy[i + 1]);
        w.number(30, c.elevation);
    }
    entityHead(w, "SEQEND", layer, owner);
}

void writeContour(Writer& w, const Contour& c, bool oldStyle, const Handles& h,
                  const char* layer = nullptr)
{
    if (!layer) layer = contourLayer(c, oldStyle);
    if (oldStyle) writeOldStyle(w, c, h, layer);
    else writeLightweight(w, c, h, layer);
}

// Coordinates as the file holds them (three decimals), so that the truth file describes
// the drawing that is read back.
double asWritten(double v) { return std::round(v * 1000.0) / 1000.0; }

// A short line across the run from `from` to `to`, `back` units before `to`.
void fenceAcross(double fromX, double fromY, double toX, double toY, double back, double fence[4])
{
    const double length = std::hypot(toX - fromX, toY - fromY);
    const double dx = (toX - fromX) / length, dy = (toY - fromY) / length;
    const double cx = toX - dx * back, cy = toY - dy * back;
    const double half = 0.5;
    fence[0] = cx - dy * half;
    fence[1] = cy + dx * half;
    fence[2] = cx + dy * half;
    fence[3] = cy - dx * half;
}

// Cuts an open contour across the middle of the longest segment of its middle third,
// leaving a gap of 0.5 to 1.5 units (at most a third of the segment). False when that
// segment is shorter than 3 units: too short for a gap with a fence on each side.
bool splitContour(const Contour& c, double draw, Contour& first, Contour& second, BrokenPair& pair)
{
    const std::size_t n = c.xy.size() / 2;
    auto x = [&](std::size_t i) { return asWritten(c.xy[2 * i]); };
    auto y = [&](std::size_t i) { return asWritten(c.xy[2 * i + 1]); };
    std::size_t k = n / 3;
    for (std::size_t i = n / 3; i < std::max(n / 3 + 1, 2 * n / 3); ++i)
        if (std::hypot(x(i + 1) - x(i), y(i + 1) - y(i)) > std::hypot(x(k + 1) - x(k), y(k + 1) - y(k)))
            k = i;
    const double length = std::hypot(x(k + 1) - x(k), y(k + 1) - y(k));
    if (length < 3.0)
        return false;
    const double gap = std::min(0.5 + draw, length / 3.0);
    const double t0 = 0.5 - gap / (2.0 * length), t1 = 0.5 + gap / (2.0 * length);
    pair.gap[0] = asWritten(x(k) + (x(k + 1) - x(k)) * t0);
    pair.gap[1] = asWritten(y(k) + (y(k + 1) - y(k)) * t0);
    pair.gap[2] = asWritten(x(k) + (x(k + 1) - x(k)) * t1);
    pair.gap[3] = asWritten(y(k) + (y(k + 1) - y(k)) * t1);
    first = second = c;
    first.xy.assign(c.xy.begin(), c.xy.begin() + 2 * (k + 1));
    first.xy.insert(first.xy.end(), {pair.gap[0], pair.gap[1]});
    second.xy.assign({pair.gap[2], pair.gap[3]});
    second.xy.insert(second.xy.end(), c.xy.begin() + 2 * (k + 1), c.xy.end());
    const double back = std::min(0.3, length / 6.0);
    fenceAcross(x(k), y(k), pair.gap[0], pair.gap[1], back, pair.fence1);
    fenceAcross(x(k + 1), y(k + 1), pair.gap[2], pair.gap[3], back, pair.fence2);
    return true;
}

// Writes the contour as two pieces with handles from `extra` (which moves on), and moves
// the main run of handles past what the whole contour would have taken, so that every
// other entity keeps the handle it has without broken contours.
bool writeBroken(Writer& w, const Contour& c, bool oldStyle, const Handles& h, double draw,
                 std::size_t index, std::uint64_t& extra, BrokenPair& pair)
{
    Contour first, second;
    if (!splitContour(c, draw, first, second, pair))
        return false;
    const char* layer = contourLayer(c, oldStyle);
    const char* otherLayer = layer == kIndexLayer ? kContourLayer : kIndexLayer;
    if (index % 10 == 4)
        second.elevation += 0.5;
    const char* secondLayer = index % 10 == 9 ? otherLayer : contourLayer(second, oldStyle);
    pair.sameElevation = first.elevation == second.elevation;
    pair.sameLayer = std::strcmp(layer, secondLayer) == 0;
    const std::uint64_t cost = oldStyle ? c.xy.size() / 2 + 2 : 1;
    const std::uint64_t resume = w.switchHandles(extra) + cost;
    pair.first = w.next();
    writeContour(w, first, oldStyle, h, layer);
    pair.second = w.next();
    writeContour(w, second, oldStyle, h, secondLayer);
    extra = w.switchHandles(resume);
    return true;
}

void writeText(Writer& w, double x, double y, const std::string& text, const Handles& h)
{
    entityHead(w, "TEXT", kLabelLayer, h.model);
    w.group(100, "AcDbText");
    w.number(10, x);
    w.number(20, y);
    w.number(30, 0.0);
    w.number(40, 2.0);
    w.group(1, text);
    w.group(100, "AcDbText");
}

std::string valueText(double z)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", z);
    return text;
}

void writeLabel(Writer& w, double x, double y, double z, const Handles& h)
{
    writeText(w, x + 1.0, y - 0.5, valueText(z), h);
}

// The integer part ends 0.2 left of the point (a digit or sign is 1 unit wide at height 2).
void writeSplitLabel(Writer& w, double x, double y, double z, const Handles& h)
{
    const std::string text = valueText(z);
    const std::string integer = text.substr(0, text.find('.'));
    const std::string decimals = text.substr(text.find('.') + 1);
    writeText(w, x - 0.2 - static_cast<double>(integer.size()), y - 0.5, integer, h);
    writeText(w, x + 0.2, y - 0.5, decimals, h);
}

// Where and how a point's value is written.
enum class LabelKind { kText, kSplit, kAttribute };

// An elevation point: circle, point or block reference (with its attribute), then a label
// (none for a flat block, whose attribute is its label). The returned kind names the label.
LabelKind writeSpot(Writer& w, double x, double y, double z, int kind, bool split,
                    const TerrainOptions& options, const Handles& h)
{
    const double at = options.flatPoints ? 0.0 : z;
    if (kind == 0) {
        entityHead(w, "CIRCLE", kPointLayer, h.model);
        w.group(100, "AcDbCircle");
        w.number(10, x);
        w.number(20, y);
        w.number(30, at);
        w.number(40, 0.15);
    } else if (kind == 1) {
        entityHead(w, "POINT", kPointLayer, h.model);
        w.group(100, "AcDbPoint");
        w.number(10, x);
        w.number(20, y);
        w.number(30, at);
    } else {
        entityHead(w, "INSERT", kPointLayer, h.model);
        std::uint64_t owner = w.next() - 1;
        w.group(100, "AcDbBlockReference");
        w.integer(66, 1);
        w.group(2, "GCD");
        w.number(10, x);
        w.number(20, y);
        w.number(30, at);
        entityHead(w, "ATTRIB", kPointLayer, owner);
        w.group(100, "AcDbText");
        w.number(10, x + 0.8);
        w.number(20, y);
        w.number(30, at);
        w.number(40, 2.0);
        w.group(1, valueText(z));
        w.group(100, "AcDbAttribute");
        w.group(2, "H");
        w.integer(70, 0);
        entityHead(w, "SEQEND", kPointLayer, owner);
        if (options.flatPoints)
            return LabelKind::kAttribute;
    }
    if (split) {
        writeSplitLabel(w, x, y, z, h);
        return LabelKind::kSplit;
    }
    writeLabel(w, x, y, z, h);
    return LabelKind::kText;
}

void writeTruth(const TerrainOptions& options, double x, double y, double z, LabelKind kind)
{
    if (!options.truth)
        return;
    const char* names[] = {"text", "split", "attribute"};
    char line[128];
    std::snprintf(line, sizeof line, "%.3f %.3f %s %s\n", x, y, valueText(z).c_str(),
                  names[static_cast<int>(kind)]);
    *options.truth << line;
}

void writeObjects(Writer& w, const Handles& h)
{
    w.group(0, "SECTION");
    w.group(2, "OBJECTS");
    w.group(0, "DICTIONARY");
    w.pointer(5, h.root);
    w.pointer(330, 0);
    w.group(100, "AcDbDictionary");
    w.group(3, "ACAD_GROUP");
    w.pointer(350, h.groups);
    w.group(3, "ACAD_LAYOUT");
    w.pointer(350, h.layouts);
    w.group(0, "DICTIONARY");
    w.pointer(5, h.groups);
    w.pointer(330, h.root);
    w.group(100, "AcDbDictionary");
    w.group(0, "DICTIONARY");
    w.pointer(5, h.layouts);
    w.pointer(330, h.root);
    w.group(100, "AcDbDictionary");
    w.group(3, "Model");
    w.pointer(350, h.layout);
    w.group(3, "Layout1");
    w.pointer(350, h.paperLayout);
    const std::pair<std::uint64_t, std::uint64_t> layouts[] = {{h.layout, h.model}, {h.paperLayout, h.paper}};
    int tab = 0;
    for (const auto& [layout, block] : layouts) {
        w.group(0, "LAYOUT");
        w.pointer(5, layout);
        w.pointer(330, h.layouts);
        w.group(100, "AcDbPlotSettings");
        w.group(1, "");
        w.group(2, "none_device");
        w.group(4, "");
        w.group(6, "");
        for (int code : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141}) w.number(code, 0.0);
        w.number(142, 1.0);
        w.number(143, 1.0);
        w.integer(70, tab == 0 ? 1024 : 0);
        w.integer(72, 1);
        w.integer(73, 0);
        w.integer(74, 5);
        w.group(7, "");
        w.integer(75, 16);
        w.integer(76, 0);
        w.integer(77, 2);
        w.integer(78, 300);
        w.number(147, 1.0);
        w.number(148, 0.0);
        w.number(149, 0.0);
        w.group(100, "AcDbLayout");
        w.group(1, tab == 0 ? "Model" : "Layout1");
        w.integer(70, 1);
        w.integer(71, tab);
        for (int code : {10, 20, 11, 21}) w.number(code, code == 11 ? 420.0 : code == 21 ? 297.0 : 0.0);
        for (int code : {12, 22, 32, 14, 24, 34, 15, 25, 35}) w.number(code, code / 10 == 1 && code % 10 == 4 ? 1e20 : 0.0);
        w.number(146, 0.0);
        for (int code : {13, 23, 33}) w.number(code, 0.0);
        for (int code : {16, 26, 36}) w.number(code, code == 16 ? 1.0 : 0.0);
        for (int code : {17, 27, 37}) w.number(code, code == 27 ? 1.0 : 0.0);
        w.integer(76, 0);
        w.pointer(330, block);
        ++tab;
    }
    w.group(0, "ENDSEC");
}

} // namespace

long writeTerrainDxf(std::ostream& out, const TerrainOptions& options, std::vector<BrokenPair>* broken)
{
    Writer w(out);
    Handles h;
    std::mt19937 random(options.seed);
    // Breaking draws from its own generator: without it the drawing is as it always was.
    std::mt19937 breaker(options.seed ^ 0x5bd1e995u);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    // $HANDSEED must be above every handle and comes first: an upper bound of the handles
    // to come (a contour takes at most 2 * vertices + 2, a spot at most 6). Broken contours
    // take theirs from a run above that bound.
    const std::uint64_t perContour = 3 + options.vertices * 2;
    std::uint64_t seed = 0x100 + (options.contours + options.points) * (perContour + 8);
    std::uint64_t extra = seed;
    if (options.brokenShare > 0.0)
        seed += options.contours * (perContour + 8);
    w.group(0, "SECTION");
    w.group(2, "HEADER");
    w.group(9, "$ACADVER");
    w.group(1, "AC1015");
    w.group(9, "$DWGCODEPAGE");
    w.group(3, "ANSI_936");
    w.group(9, "$INSUNITS");
    w.integer(70, 6);
    w.group(9, "$HANDSEED");
    w.pointer(5, seed);
    w.group(0, "ENDSEC");
    writeTables(w, h);
    writeBlocks(w, h);
    w.group(0, "SECTION");
    w.group(2, "ENTITIES");
    long entities = 0;
    std::vector<BrokenPair> pairs;
    for (long i = 0; i < options.contours; ++i) {
        Contour c = makeContour(random, options.vertices);
        bool oldStyle = unit(random) < options.oldStyleShare;
        double roll = unit(random);
        // Only open contours without a copy on top are broken: a copy would be a second
        // partner across the gap.
        BrokenPair pair;
        if (options.brokenShare > 0.0 && !c.closed && roll >= options.duplicateShare + options.otherElevationShare &&
            unit(breaker) < options.brokenShare &&
            writeBroken(w, c, oldStyle, h, unit(breaker), pairs.size(), extra, pair)) {
            pairs.push_back(pair);
            ++entities;
        } else {
            writeContour(w, c, oldStyle, h);
        }
        ++entities;
        if (roll < options.duplicateShare) {
            writeContour(w, c, oldStyle, h);
            ++entities;
        } else if (roll < options.duplicateShare + options.otherElevationShare) {
            c.elevation += 0.5;
            writeContour(w, c, oldStyle, h);
            ++entities;
        }
    }
    // The label choices draw from their own sequence: the main one stays as without them.
    std::mt19937 labelRandom(options.seed ^ 0x5A17u);
    auto spot = [&](double x, double y, double z, int kind) {
        const bool split = options.splitLabelShare > 0.0 && unit(labelRandom) < options.splitLabelShare;
        const LabelKind label = writeSpot(w, x, y, z, kind, split, options, h);
        entities += label == LabelKind::kAttribute ? 1 : label == LabelKind::kSplit ? 3 : 2;
        writeTruth(options, x, y, z, label);
    };
    for (long i = 0; i < options.points; ++i) {
        double x = 500000.0 + unit(random) * 20000.0, y = 3000000.0 + unit(random) * 20000.0;
        double z = std::round((20.0 + unit(random) * 500.0) * 100.0) / 100.0;
        int kind = static_cast<int>(unit(random) * 3.0);
        spot(x, y, z, kind);
        double roll = unit(random);
        if (roll < options.duplicateShare)
            spot(x, y, z, kind);
        else if (roll < options.duplicateShare + options.otherElevationShare)
            spot(x, y, z + 0.5, kind);
    }
    w.group(0, "ENDSEC");
    writeObjects(w, h);
    w.group(0, "EOF");
    if (broken)
        *broken = std::move(pairs);
    return entities;
}

void writeBrokenPairs(std::ostream& out, const std::vector<BrokenPair>& pairs)
{
    out << "# Contours broken in two. Per line: handles of the first and the second piece; 1 when\n"
           "# they share elevation, 1 when they share layer; the gap (end of the first piece, start\n"
           "# of the second: x y x y); a fence across the first piece and one across the second\n"
           "# near the gap (x y x y each).\n";
    char line[512];
    for (const BrokenPair& p : pairs) {
        std::snprintf(line, sizeof line,
                      "%llX %llX %d %d %.3f %.3f %.3f %.3f %.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f\n",
                      static_cast<unsigned long long>(p.first), static_cast<unsigned long long>(p.second),
                      p.sameElevation ? 1 : 0, p.sameLayer ? 1 : 0, p.gap[0], p.gap[1], p.gap[2], p.gap[3],
                      p.fence1[0], p.fence1[1], p.fence1[2], p.fence1[3], p.fence2[0], p.fence2[1],
                      p.fence2[2], p.fence2[3]);
        out << line;
    }
}

} // namespace dh::tools
