#include "app/pattern_history.h"

#include <algorithm>

void PatternHistory::RecordPattern(const std::string& pattern)
{
    if (pattern.empty())
        return;
    if (std::find(Slots.begin() + 1, Slots.end(), pattern) != Slots.end())
        return;
    Slots[0] = pattern;
    std::move_backward(Slots.begin() + 1, Slots.end() - 1, Slots.end());
    Slots[1] = pattern;
}

std::vector<std::string> PatternHistory::ListEntries() const
{
    auto end = std::find(Slots.begin() + 1, Slots.end(), std::string());
    return std::vector<std::string>(Slots.begin() + 1, end);
}

void PatternHistory::RecordOnClose(const std::string& text)
{
    Slots[0] = text;
    RecordPattern(text);
}
