#include "toolkit/BasePicker.h"

#include <aced/AcEdInput.h>

#include <cstring>

namespace dh::toolkit {

int constraintBits(int constraint)
{
    switch (constraint) {
    case kNotNegative: return RSG_NONEG;
    case kNotZero: return RSG_NOZERO;
    case kPositive: return RSG_NOZERO | RSG_NONEG;
    default: return 0;
    }
}

BasePicker::BasePicker(const char* prompt, const char* keywords)
    : m_keywords(keywords ? keywords : ""), m_prompt(prompt ? prompt : "")
{
}

void BasePicker::setKeywords(const char* keywords)
{
    m_keywords = keywords ? keywords : "";
}

void BasePicker::setPrompt(const char* prompt)
{
    m_prompt = prompt ? prompt : "";
}

const char* BasePicker::keywords() const
{
    return m_keywords.c_str();
}

const char* BasePicker::prompt() const
{
    return m_prompt.c_str();
}

const char* BasePicker::input() const
{
    return m_input.c_str();
}

bool BasePicker::isInput(const char* text) const
{
    return text && std::strcmp(m_input.c_str(), text) == 0;
}

std::string BasePicker::promptLine() const
{
    return "\n" + m_prompt + ": ";
}

void BasePicker::readInput()
{
    char buffer[kAcedInputBufferSize] = {};
    if (acedGetInput(buffer, sizeof buffer) == RTNORM)
        m_input = buffer;
}

} // namespace dh::toolkit
