#pragma once
// The run's view of the directory line (Memo2) and the file list (Memo1), brought up to
// date on a display tick instead of at every change: one append to a visible multi-line
// edit costs 20 to 30 ms under Wine, whatever its length, while a run reports every match.
//
// ShowDir and ShowList only record; Tick writes what changed since the last tick: the
// directory line if it changed, and the lines added to the list in one append, as long
// as the file list still holds the list shown last (else the list is written whole).

#include <functional>
#include <string>
#include <vector>

class RunDisplay {
public:
    struct Sinks {
        std::function<void(const std::string&)> SetDirText;      // Memo2's whole text
        std::function<void(const std::string&)> SetListText;     // Memo1's whole text
        std::function<void(const std::string&)> AppendListText;  // added at Memo1's end
    };

    explicit RunDisplay(Sinks sinks);

    void ShowDir(const std::string& directory);
    // Always the whole list. Within a run it only grows; a list that does not continue
    // the one recorded (shorter, or another line where the last one was) replaces it.
    void ShowList(const std::vector<std::string>& list);
    // Something else has set the text of both areas (the start of a run, a drop): nothing
    // shown is there any more, and nothing is written until something new is recorded.
    void Cleared();

    void Tick();
    // Brings both areas up to date now: before every step that follows a search.
    void Flush() { Tick(); }

private:
    Sinks sinks_;

    std::string dir_;             // the directory as last recorded
    std::string dir_shown_;       // what the directory line holds, when dir_in_place_
    bool dir_in_place_ = true;
    bool dir_pending_ = false;

    std::vector<std::string> list_;  // the list as last recorded
    std::size_t list_shown_ = 0;     // how many of its lines the file list holds
    bool list_in_place_ = true;      // the file list holds exactly list_[0, list_shown_)
    bool list_pending_ = false;
};
