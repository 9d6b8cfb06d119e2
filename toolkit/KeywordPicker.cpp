#include "toolkit/KeywordPicker.h"

#include <aced/AcEdInput.h>

namespace dh::toolkit {

KeywordPicker::KeywordPicker(const char* prompt, const char* keywords) : BasePicker(prompt, keywords)
{
}

int KeywordPicker::pick()
{
    const std::string line = promptLine();
    acedInitGet(allowEmpty ? 0 : RSG_NONULL, m_keywords.empty() ? nullptr : m_keywords.c_str());
    char buffer[kAcedInputBufferSize] = {};
    switch (acedGetKword(line.c_str(), buffer, sizeof buffer)) {
    case RTNORM: m_input = buffer; return kPickValue;
    case RTNONE: return kPickEmpty;
    default: return kPickFailed;
    }
}

} // namespace dh::toolkit
