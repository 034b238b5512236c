#include "app/run_display.h"

#include <utility>

namespace {

std::string JoinLines(std::vector<std::string>::const_iterator begin,
                      std::vector<std::string>::const_iterator end)
{
    std::size_t size = 0;
    for (auto line = begin; line != end; ++line)
        size += line->size() + 2;
    std::string text;
    text.reserve(size);
    for (auto line = begin; line != end; ++line) {
        if (line != begin)
            text += "\r\n";
        text += *line;
    }
    return text;
}

}  // namespace

RunDisplay::RunDisplay(Sinks sinks) : sinks_(std::move(sinks)) {}

void RunDisplay::ShowDir(const std::string& directory)
{
    dir_ = directory;
    dir_pending_ = true;
}

void RunDisplay::ShowList(const std::vector<std::string>& list)
{
    // Checking the last recorded line keeps this cheap for the list that grows by one.
    bool continues = list.size() >= list_.size()
                     && (list_.empty() || list[list_.size() - 1] == list_.back());
    if (continues) {
        list_.insert(list_.end(), list.begin() + list_.size(), list.end());
    } else {
        list_ = list;
        list_in_place_ = false;
    }
    list_pending_ = true;
}

void RunDisplay::Cleared()
{
    dir_pending_ = false;
    dir_in_place_ = false;
    list_.clear();
    list_shown_ = 0;
    list_in_place_ = false;
    list_pending_ = false;
}

void RunDisplay::Tick()
{
    if (dir_pending_ && (!dir_in_place_ || dir_ != dir_shown_)) {
        sinks_.SetDirText(dir_);
        dir_shown_ = dir_;
        dir_in_place_ = true;
    }
    dir_pending_ = false;
    if (!list_pending_)
        return;
    list_pending_ = false;
    if (!list_in_place_) {
        sinks_.SetListText(JoinLines(list_.begin(), list_.end()));
        list_in_place_ = true;
    } else if (list_.size() > list_shown_) {
        std::string added = JoinLines(list_.begin() + list_shown_, list_.end());
        sinks_.AppendListText(list_shown_ == 0 ? added : "\r\n" + added);
    }
    list_shown_ = list_.size();
}
