// Round trip of one hand-over from a worker to the UI thread, by the two ways a worker can
// wait for the UI thread: a sent message, or a posted message plus an event. Prints the
// mean time per round trip of each, and of TThread::Synchronize as built.
#include "framework/thread.h"

#include <windows.h>
#include <process.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr UINT WM_BENCH_STEP = WM_APP + 1;
constexpr UINT WM_BENCH_POSTED = WM_APP + 2;

HWND benchWindow;
volatile long counter;

LRESULT CALLBACK BenchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_BENCH_STEP) {
        ++counter;
        return 1;
    }
    if (msg == WM_BENCH_POSTED) {
        ++counter;
        SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

double Now()
{
    static LARGE_INTEGER frequency = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

struct Job {
    int rounds;
    bool posted;
    DWORD uiThread;
    double seconds;
};

unsigned __stdcall RawWorker(void* arg)
{
    Job& job = *static_cast<Job*>(arg);
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    double start = Now();
    for (int i = 0; i < job.rounds; ++i) {
        if (job.posted) {
            PostMessageA(benchWindow, WM_BENCH_POSTED, 0, reinterpret_cast<LPARAM>(done));
            WaitForSingleObject(done, INFINITE);
        } else {
            SendMessageA(benchWindow, WM_BENCH_STEP, 0, 0);
        }
    }
    job.seconds = Now() - start;
    CloseHandle(done);
    PostThreadMessageA(job.uiThread, WM_QUIT, 0, 0);
    return 0;
}

// Runs the UI thread's message loop until the worker says it is done.
void PumpUntilQuit()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double RawRoundTrip(int rounds, bool posted)
{
    Job job{rounds, posted, GetCurrentThreadId(), 0};
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, RawWorker, &job, 0, nullptr));
    PumpUntilQuit();
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return job.seconds / rounds;
}

class SyncWorker : public fw::TThread {
public:
    SyncWorker(int rounds, double* seconds) : rounds_(rounds), seconds_(seconds) {}

protected:
    void Execute() override
    {
        double start = Now();
        for (int i = 0; i < rounds_; ++i)
            Synchronize([] { ++counter; });
        *seconds_ = Now() - start;
    }

private:
    int rounds_;
    double* seconds_;
};

double SynchronizeRoundTrip(int rounds)
{
    double seconds = 0;
    fw::TThread::Start<SyncWorker>(rounds, &seconds);
    fw::TThread::WaitForAll();
    return seconds / rounds;
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 2000;
    WNDCLASSA wc{};
    wc.lpfnWndProc = BenchProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HandOverBench";
    RegisterClassA(&wc);
    benchWindow = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
    fw::TThread::InitHandOver();

    // One warm-up round of each, then the measured ones.
    RawRoundTrip(50, false);
    RawRoundTrip(50, true);
    SynchronizeRoundTrip(50);
    for (int pass = 0; pass < 2; ++pass) {
        std::printf("SendMessage:          %8.1f us per round trip\n", RawRoundTrip(rounds, false) * 1e6);
        std::printf("PostMessage + event:  %8.1f us per round trip\n", RawRoundTrip(rounds, true) * 1e6);
        std::printf("TThread::Synchronize: %8.1f us per round trip\n", SynchronizeRoundTrip(rounds) * 1e6);
    }
    std::printf("(%d round trips each, %ld steps run)\n", rounds, counter);
    return 0;
}
