// One question on the command line. A picker holds its prompt (without the leading newline
// and the trailing ": ", which pick adds), its keyword list (space separated, as
// acedInitGet takes it) and the text of the last keyword or free input. pick answers a
// PickResult and does not clear the answer fields before asking.
#pragma once

#include <string>

namespace dh::toolkit {

enum PickResult : int {
    kPickFailed = 0,  // cancelled, or the host call failed
    kPickEmpty = 1,   // Enter or space accepted
    kPickKeyword = 2, // a keyword or other text; see input()
    kPickValue = 3,   // a value was stored in the picker
};

// Limits of the number pickers, with the acedInitGet bits they give.
enum ValueConstraint : int {
    kAnyValue = 0,
    kNotNegative = 1,
    kNotZero = 2,
    kPositive = 3,
    kBetweenLimits = 4, // checked by the picker against its minimum and maximum
};

// The acedInitGet bits of a constraint; unknown constraints give none.
int constraintBits(int constraint);

class BasePicker {
public:
    BasePicker(const char* prompt, const char* keywords);
    virtual ~BasePicker() = default;

    virtual int pick() = 0;
    virtual void setKeywords(const char* keywords);
    virtual void setPrompt(const char* prompt);
    virtual const char* keywords() const;
    virtual const char* prompt() const;
    virtual const char* input() const;
    // True when the last input is exactly text (byte for byte, case-sensitive).
    virtual bool isInput(const char* text) const;

protected:
    // "\n<prompt>: "
    std::string promptLine() const;
    // Reads the typed keyword into the input text.
    void readInput();

    std::string m_keywords;
    std::string m_prompt;
    std::string m_input;
};

} // namespace dh::toolkit
