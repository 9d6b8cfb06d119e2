#include "toolkit/PointPicker.h"

#include "toolkit/SystemVariables.h"

#include <aced/AcEdInput.h>

namespace dh::toolkit {
namespace {

constexpr const char* kSecondPointPrompt = "给定另一点";

} // namespace

PointPicker::PointPicker(const char* prompt, const char* keywords) : BasePicker(prompt, keywords)
{
}

int PointPicker::ask(int bits)
{
    if (noLimitsCheck)
        bits |= RSG_NOLIM;
    if (dashedRubberBand)
        bits |= RSG_DASH;
    const std::string line = promptLine();
    acedInitGet(bits, m_keywords.empty() ? nullptr : m_keywords.c_str());
    ads_point base = {basePoint.x, basePoint.y, basePoint.z};
    ads_point answer = {0.0, 0.0, 0.0};
    const int rt = acedGetPoint(hasBase ? base : nullptr, line.c_str(), answer);
    switch (rt) {
    case RTNORM:
        point.set(answer[0], answer[1], answer[2]);
        setVarPoint("LASTPOINT", point);
        return kPickValue;
    case RTNONE: return kPickEmpty;
    case RTKWORD: readInput(); return kPickKeyword;
    default: return kPickFailed;
    }
}

int PointPicker::pick()
{
    return ask(allowEmpty ? 0 : RSG_NONULL);
}

int PointPicker::pickSecondPoint(const char* secondPrompt, const char* secondKeywords)
{
    const int first = pick();
    if (first != kPickValue)
        return first;
    basePoint = point;
    allowEmpty = false;
    hasBase = true;
    setKeywords(secondKeywords);
    setPrompt(secondPrompt ? secondPrompt : kSecondPointPrompt);
    return ask(RSG_NONULL);
}

} // namespace dh::toolkit
