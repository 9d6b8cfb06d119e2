#include "host/dxf/KeptTags.h"

#include <algorithm>

namespace dh::dxf {

namespace {

struct Segment {
    std::string name;
    int occurrence = 0;
    std::size_t begin = 0, end = 0; // body range after the marker
};

std::vector<Segment> segments(const Tags& tags)
{
    std::vector<Segment> out;
    out.push_back({"", 0, 0, 0});
    for (std::size_t i = 0; i < tags.size(); ++i) {
        if (tags[i].code == 100) {
            out.back().end = i;
            int occurrence = 0;
            for (const Segment& s : out)
                if (s.name == tags[i].text) ++occurrence;
            out.push_back({tags[i].text, occurrence, i + 1, i + 1});
        }
    }
    out.back().end = tags.size();
    return out;
}

const Segment* findSegment(const std::vector<Segment>& list, const Segment& like)
{
    for (const Segment& s : list)
        if (s.name == like.name && s.occurrence == like.occurrence) return &s;
    return nullptr;
}

} // namespace

std::vector<KeptGroup> findUnmodelled(const Tags& input, const Tags& output)
{
    std::vector<Segment> in = segments(input), out = segments(output);
    std::vector<KeptGroup> kept;
    const Segment* anchor = &in.front();
    for (const Segment& segment : in) {
        const Segment* written = findSegment(out, segment);
        KeptGroup group;
        if (written) {
            anchor = &segment;
            group.subclass = segment.name;
            group.occurrence = segment.occurrence;
            for (std::size_t i = segment.begin; i < segment.end; ++i) {
                int code = input[i].code;
                bool has = std::any_of(output.begin() + static_cast<std::ptrdiff_t>(written->begin),
                                       output.begin() + static_cast<std::ptrdiff_t>(written->end),
                                       [code](const AcDbDxfTag& t) { return t.code == code; });
                if (!has) group.tags.push_back(input[i]);
            }
        } else {
            group.subclass = anchor->name;
            group.occurrence = anchor->occurrence;
            group.tags.push_back(input[segment.begin - 1]); // the marker
            group.tags.insert(group.tags.end(),
                              input.begin() + static_cast<std::ptrdiff_t>(segment.begin),
                              input.begin() + static_cast<std::ptrdiff_t>(segment.end));
        }
        if (group.tags.empty()) continue;
        if (!kept.empty() && kept.back().subclass == group.subclass &&
            kept.back().occurrence == group.occurrence)
            kept.back().tags.insert(kept.back().tags.end(), group.tags.begin(), group.tags.end());
        else
            kept.push_back(std::move(group));
    }
    return kept;
}

} // namespace dh::dxf
