// Str_Replace and Str_Split: text functions that respect character boundaries.
#include "lisp/FindText.h"
#include "lisp/LispArgs.h"
#include "lisp/LispFunctions.h"
#include "lisp/ResBufPtr.h"

#include <aced/AcEdLisp.h>

#include <string>

namespace dh::lisp {

int Str_Replace(const resbuf* args)
{
    try {
        LispArgs in(args);
        const std::string text = in.text();
        const std::string find = in.text();
        const std::string replacement = in.text();
        in.end();

        if (find.empty())
            return acedRetStr(text.c_str());
        // Matches never overlap, and what the replacement brings in is not searched again.
        std::string result;
        std::string_view rest = text;
        while (std::optional<std::size_t> pos = findText(rest, find)) {
            result.append(rest.substr(0, *pos));
            result.append(replacement);
            rest.remove_prefix(*pos + find.size());
        }
        result.append(rest);
        return acedRetStr(result.c_str());
    } catch (int) {
        return acedRetNil();
    }
}

int Str_Split(const resbuf* args)
{
    try {
        LispArgs in(args);
        const std::string text = in.text();
        const std::string delimiter = in.text();
        in.end();

        // An empty delimiter is found at the start for ever: there is nothing to cut.
        if (delimiter.empty())
            return acedRetNil();
        // Only pieces followed by a delimiter count; the tail after the last one is dropped.
        ResBufChain pieces;
        std::string_view rest = text;
        while (std::optional<std::size_t> pos = findText(rest, delimiter)) {
            if (*pos > 0)
                pieces.appendText(std::string(rest.substr(0, *pos)).c_str());
            rest.remove_prefix(*pos + delimiter.size());
        }
        if (pieces.empty())
            return acedRetNil();
        return acedRetList(pieces.head());
    } catch (int) {
        return acedRetNil();
    }
}

} // namespace dh::lisp
