// The worker thread class and its hand-over, with this test's main thread as the UI thread.
#include "framework/thread.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using fw::TThread;

namespace {

std::vector<std::string> reported;

void CaptureReport(const char* what)
{
    reported.push_back(what);
}

// Runs a body on a worker; records whether it was deleted.
class BodyThread : public TThread {
public:
    BodyThread(std::function<void(BodyThread&)> body, std::atomic<bool>* deleted)
        : body_(std::move(body)), deleted_(deleted)
    {
    }
    ~BodyThread() override
    {
        if (deleted_)
            *deleted_ = true;
    }
    using TThread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(BodyThread&)> body_;
    std::atomic<bool>* deleted_;
};

void StartBody(std::function<void(BodyThread&)> body, std::atomic<bool>* deleted = nullptr)
{
    TThread::Start<BodyThread>(std::move(body), deleted);
}

bool modalTimedOut;

void CALLBACK EndModalTest(HWND, UINT, UINT_PTR, DWORD)
{
    modalTimedOut = true;
    if (HWND box = FindWindowA("#32770", "hand-over modal test"))
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
}

class ThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TThread::InitHandOver();
        TThread::ReportError = CaptureReport;
        reported.clear();
    }
    void TearDown() override
    {
        TThread::InitHandOver();
        TThread::WaitForAll();
    }
};

}  // namespace

TEST_F(ThreadTest, StepsRunOnTheUiThreadWhileTheWorkerWaits)
{
    const DWORD ui = GetCurrentThreadId();
    std::atomic<bool> deleted{false};
    std::vector<DWORD> ranOn;
    std::vector<int> seenAfter;
    int counter = 0;
    DWORD workerId = 0;
    StartBody([&](BodyThread& self) {
        workerId = GetCurrentThreadId();
        for (int i = 0; i < 50; ++i) {
            self.Synchronize([&] {
                ranOn.push_back(GetCurrentThreadId());
                ++counter;
            });
            seenAfter.push_back(counter);  // the step has run when Synchronize returns
        }
    }, &deleted);
    TThread::WaitForAll();  // serves the steps: nothing else pumps here

    EXPECT_TRUE(deleted) << "the worker is deleted once its thread has ended";
    EXPECT_NE(workerId, ui);
    ASSERT_EQ(ranOn.size(), 50u);
    for (DWORD id : ranOn)
        EXPECT_EQ(id, ui);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(seenAfter[i], i + 1);
    EXPECT_TRUE(reported.empty());
}

TEST_F(ThreadTest, AnErrorInAStepIsRaisedAgainInTheWorker)
{
    struct StepError : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    std::string caught;
    bool laterStepRan = false;
    StartBody([&](BodyThread& self) {
        try {
            self.Synchronize([] { throw StepError("step failed"); });
        } catch (const StepError& error) {
            caught = error.what();
        }
        self.Synchronize([&] { laterStepRan = true; });
    });
    TThread::WaitForAll();
    EXPECT_EQ(caught, "step failed");
    EXPECT_TRUE(laterStepRan) << "the hand-over still works after a failed step";
}

TEST_F(ThreadTest, WhatEscapesAWorkerIsReportedAndTheWorkerStillDeleted)
{
    std::atomic<bool> deleted{false};
    StartBody([](BodyThread& self) { self.Synchronize([] { throw std::runtime_error("lost"); }); },
              &deleted);
    TThread::WaitForAll();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(reported, std::vector<std::string>{"lost"});

    // An unknown error is reported too; the end of the hand-over is not an error to report.
    StartBody([](BodyThread&) { throw 42; });
    StartBody([](BodyThread&) { throw fw::HandOverClosed("closing"); });
    TThread::WaitForAll();
    EXPECT_EQ(reported.size(), 2u);
}

TEST_F(ThreadTest, AStepRunsInsideAModalLoop)
{
    constexpr char kCaption[] = "hand-over modal test";
    std::atomic<bool> stepRan{false};
    StartBody([&](BodyThread& self) {
        // Wait for the box to be up, then close it from a step: the box can only close if
        // the UI thread runs the step inside the box's own loop.
        HWND box = nullptr;
        for (int i = 0; i < 2000 && !box; ++i) {
            Sleep(10);
            box = FindWindowA("#32770", kCaption);
        }
        self.Synchronize([&] {
            stepRan = true;
            if (box)
                PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
    });
    // A safety net, so that a failure ends the box instead of hanging the test.
    modalTimedOut = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 60000, EndModalTest);
    int answer = MessageBoxA(nullptr, "waiting for a step", kCaption, MB_OKCANCEL);
    KillTimer(nullptr, timer);
    TThread::WaitForAll();
    EXPECT_TRUE(stepRan);
    EXPECT_FALSE(modalTimedOut);
    EXPECT_EQ(answer, IDOK);
}

TEST_F(ThreadTest, AfterCloseHandOverSynchronizeFailsPromptly)
{
    TThread::CloseHandOver();
    EXPECT_TRUE(TThread::IsHandOverClosed());
    bool stepRan = false;
    bool threw = false;
    DWORD took = 0;
    StartBody([&](BodyThread& self) {
        DWORD start = GetTickCount();
        try {
            self.Synchronize([&] { stepRan = true; });
        } catch (const fw::HandOverClosed&) {
            threw = true;
        }
        took = GetTickCount() - start;
    });
    TThread::WaitForAll();
    EXPECT_TRUE(threw);
    EXPECT_FALSE(stepRan);
    EXPECT_LT(took, 1000u);

    // Opened again, it serves steps as before.
    TThread::InitHandOver();
    EXPECT_FALSE(TThread::IsHandOverClosed());
    StartBody([&](BodyThread& self) { self.Synchronize([&] { stepRan = true; }); });
    TThread::WaitForAll();
    EXPECT_TRUE(stepRan);
}

TEST_F(ThreadTest, CloseHandOverReleasesAWaitingWorkerWithoutMessages)
{
    HANDLE aboutToWait = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE released = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> stepRan{false};
    std::atomic<bool> threw{false};
    StartBody([&](BodyThread& self) {
        SetEvent(aboutToWait);
        try {
            self.Synchronize([&] { stepRan = true; });
        } catch (const fw::HandOverClosed&) {
            threw = true;
        }
        SetEvent(released);
    });
    // The UI thread takes no messages here: the step stays queued and the worker waits.
    ASSERT_EQ(WaitForSingleObject(aboutToWait, 30000), WAIT_OBJECT_0);
    Sleep(300);
    TThread::CloseHandOver();
    EXPECT_EQ(WaitForSingleObject(released, 10000), WAIT_OBJECT_0)
        << "the worker must be released without the UI thread taking messages";
    TThread::WaitForAll();  // the queued step is dropped, not run
    EXPECT_TRUE(threw);
    EXPECT_FALSE(stepRan);
    CloseHandle(aboutToWait);
    CloseHandle(released);
}

TEST_F(ThreadTest, AStepRunningWhenTheHandOverClosesIsFinished)
{
    bool finished = false;
    bool firstReturned = false;
    bool secondThrew = false;
    StartBody([&](BodyThread& self) {
        self.Synchronize([&] {
            TThread::CloseHandOver();  // the window begins to close inside a step
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
            Sleep(100);
            finished = true;
        });
        firstReturned = true;
        try {
            self.Synchronize([] {});
        } catch (const fw::HandOverClosed&) {
            secondThrew = true;
        }
    });
    TThread::WaitForAll();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(firstReturned) << "a step that ran returns normally";
    EXPECT_TRUE(secondThrew);
}

TEST_F(ThreadTest, WaitForAllKeepsTheMessageLoopsQuit)
{
    StartBody([](BodyThread& self) {
        self.Synchronize([] { PostQuitMessage(7); });
        self.Synchronize([] {});
    });
    TThread::WaitForAll();
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}
