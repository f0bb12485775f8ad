// Message and event order checked as an expected sequence: "name" must come next, "name?" may,
// "name*" may come any number of times.
#pragma once

#include <string>
#include <vector>

inline bool MatchesSequence(const std::vector<std::string>& actual, size_t nActual,
                            const std::vector<std::string>& pattern, size_t nPattern)
{
    if (nPattern == pattern.size())
        return nActual == actual.size();
    const std::string& entry = pattern[nPattern];
    const char last = entry.empty() ? '\0' : entry.back();
    if (last == '*' || last == '?')
    {
        const std::string name = entry.substr(0, entry.size() - 1);
        if (MatchesSequence(actual, nActual, pattern, nPattern + 1))
            return true;
        if (nActual < actual.size() && actual[nActual] == name)
            return MatchesSequence(actual, nActual + 1, pattern, last == '*' ? nPattern : nPattern + 1);
        return false;
    }
    return nActual < actual.size() && actual[nActual] == entry &&
           MatchesSequence(actual, nActual + 1, pattern, nPattern + 1);
}

inline bool MatchesSequence(const std::vector<std::string>& actual, const std::vector<std::string>& pattern)
{
    return MatchesSequence(actual, 0, pattern, 0);
}

inline std::string JoinSequence(const std::vector<std::string>& events)
{
    std::string text;
    for (const std::string& event : events)
        text += (text.empty() ? "" : " ") + event;
    return text;
}
