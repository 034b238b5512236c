#include "engine/Kemlo2.h"

#include <windows.h>

const char* const Kemlo2::SayStoppedText = "ファイルの検索を中止しました。";
const char* const Kemlo2::SayNoNameText =
    "ファイル名は省略できません、正しいファイル名を入力してください。";
const char* const Kemlo2::SayNoFilesText = "削除できるファイルはありませんでした。";

void Kemlo2::Run(RunWindow& window, DeleteRequest deleteRequest)
{
    Start<Kemlo2>(window, deleteRequest);
}

Kemlo2::Kemlo2(RunWindow& window, DeleteRequest deleteRequest)
    : window_(window), delete_request_(deleteRequest)
{
}

void Kemlo2::ShowDir()
{
    Synchronize([this] { window_.ShowDir(ShownDir); });
}

void Kemlo2::ShowList()
{
    Synchronize([this] { window_.ShowList(FileList); });
}

void Kemlo2::PollStop()
{
    // One byte written on the UI thread by Stop and TakeSettings: no hand-over needed to
    // read it, and a run polls it at every entry it sees.
    StopSeen = window_.StopFlag().load();
}

void Kemlo2::Hand(void (RunWindow::*step)())
{
    Synchronize([this, step] { (window_.*step)(); });
}

void Kemlo2::Say(const char* message)
{
    Synchronize([this, message] { window_.Say(message); });
}

void Kemlo2::Unlock()
{
    Synchronize([this] {
        window_.UnlockAfterRun();
        window_.RunEnded();
    });
}

void Kemlo2::Release()
{
    std::vector<std::string>().swap(FileList);
    std::vector<char>().swap(DeleteBuf);
}

void Kemlo2::Execute()
{
    FileList.clear();
    try {
        Hand(&RunWindow::LockForRun);
        FoundAny = false;
        FileList.clear();
        Synchronize([this] { window_.TakeSettings(*this); });

        if (!Pattern.empty()) {
            std::string directory = WithoutTrailingSeparator(RootDir);
            if (WithSubDirs)
                SearchTree(*this, directory);
            else
                SearchDir(*this, directory, Pattern);
            Hand(&RunWindow::LockAll);
        }

        if (StopSeen) {
            Say(SayStoppedText);
        } else if (FoundAny) {
            // A window that has begun to close no longer shows what would be deleted.
            if (!IsHandOverClosed()) {
                DeleteBuf = DeleteList(FileList);
                delete_request_(DeleteBuf, DirectDelete);
            }
            std::vector<char>().swap(DeleteBuf);
        } else if (Pattern.empty()) {
            Say(SayNoNameText);
        } else {
            Say(SayNoFilesText);
        }

        Unlock();
    } catch (const fw::HandOverClosed&) {
        // The window is closing: nothing is left to unlock or to tell.
    } catch (...) {
        // Whatever failed, the window must not stay locked.
        ReportCurrentException();
        Release();
        try {
            Unlock();
        } catch (const fw::HandOverClosed&) {
        } catch (...) {
            ReportCurrentException();
        }
    }
    Release();
}

std::string WithoutTrailingSeparator(const std::string& directory)
{
    std::size_t last = std::string::npos;  // where the last character begins
    for (std::size_t at = 0; at < directory.size();) {
        last = at;
        bool doubleByte = IsDBCSLeadByte(static_cast<BYTE>(directory[at])) && at + 1 < directory.size();
        at += doubleByte ? 2 : 1;
    }
    if (last != std::string::npos && last == directory.size() - 1 && directory[last] == '\\')
        return directory.substr(0, last);
    return directory;
}
