#pragma once
// The pattern box's history: slot 0 is the pattern last recorded, slots 1 to 8 the
// drop-down list, newest first, ending at the first empty slot.

#include <array>
#include <string>
#include <vector>

class PatternHistory {
public:
    static constexpr std::size_t SlotCount = 9;

    std::array<std::string, SlotCount> Slots;

    // A pattern that is in the list already changes nothing, not even slot 0. A new one
    // becomes slot 0 and the head of the list; the oldest entry drops off a full list.
    // An empty pattern is never recorded: an empty entry would hide every entry after it.
    void RecordPattern(const std::string& pattern);

    // The list as the drop-down shows it: slots 1 to 8 up to the first empty one.
    std::vector<std::string> ListEntries() const;

    // As the window closes: slot 0 takes the box's text, whatever it is, which is then
    // recorded.
    void RecordOnClose(const std::string& text);
};
