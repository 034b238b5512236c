#include "framework/thread.h"

#include <process.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

// How a step travels: the worker posts a message to the hand-over window, a hidden
// message-only window of the UI thread, and waits on an event that the UI thread sets when
// the step has run. Posted messages to a window are dispatched by every modal loop, so a
// step runs while a message box, a menu or the shell's dialog is up on the UI thread; a
// thread message would be lost there. A posted message with an event costs less than a
// sent one here (bench/handover_bench.cpp), and it lets CloseHandOver release a waiting
// worker at once instead of when the UI thread next takes messages.
//
// Before the window exists (no InitHandOver and no Start yet) Synchronize throws
// HandOverClosed; there is no worker yet that could call it anyway, since Start makes the
// window first. Once the window is closed or gone (CloseHandOver, the window destroyed,
// the UI thread ended) Synchronize throws at once, and a worker already waiting for a step
// that has not begun is released with the same error. A step the UI thread has begun is
// always finished, and its worker waits for it: the step may use the worker's fields.

namespace fw {

namespace {

constexpr UINT kHandOverMessage = WM_APP + 0x3A0;
constexpr char kHandOverClass[] = "fwTThreadHandOver";

// One step on its way. Shared by the worker and the posted message: a worker released by
// CloseHandOver leaves while its message may still sit in the queue.
struct HandOverRequest {
    enum State { Pending, Running, Done, Abandoned };

    const std::function<void()>* step = nullptr;  // the worker's; read only while Running
    HANDLE done = nullptr;                        // the worker's event
    State state = Pending;
    std::exception_ptr error;
};

struct HandOverState {
    std::atomic<HWND> window{nullptr};
    DWORD ui_thread_id = 0;
    HANDLE ui_thread = nullptr;  // signalled once the UI thread has ended
    std::atomic<bool> closed{false};
    HANDLE closed_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SRWLOCK request_lock = SRWLOCK_INIT;  // guards HandOverRequest::state

    SRWLOCK count_lock = SRWLOCK_INIT;
    long running = 0;
    HANDLE all_ended = CreateEventA(nullptr, TRUE, TRUE, nullptr);
};

HandOverState& State()
{
    static HandOverState state;
    return state;
}

class RequestLock {
public:
    RequestLock() { AcquireSRWLockExclusive(&State().request_lock); }
    ~RequestLock() { ReleaseSRWLockExclusive(&State().request_lock); }
    RequestLock(const RequestLock&) = delete;
    RequestLock& operator=(const RequestLock&) = delete;
};

void MarkClosed()
{
    HandOverState& state = State();
    state.closed = true;
    SetEvent(state.closed_event);
}

bool UiThreadEnded()
{
    HANDLE ui_thread = State().ui_thread;
    return ui_thread && WaitForSingleObject(ui_thread, 0) == WAIT_OBJECT_0;
}

void RunRequest(HandOverRequest& request)
{
    {
        RequestLock lock;
        if (request.state != HandOverRequest::Pending)
            return;  // its worker has given up waiting
        if (State().closed) {
            request.state = HandOverRequest::Abandoned;
            SetEvent(request.done);
            return;
        }
        request.state = HandOverRequest::Running;
    }
    try {
        (*request.step)();
    } catch (...) {
        request.error = std::current_exception();
    }
    // The event is set under the lock: once the worker sees Done it may delete itself and
    // its event with it.
    RequestLock lock;
    request.state = HandOverRequest::Done;
    SetEvent(request.done);
}

LRESULT CALLBACK HandOverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kHandOverMessage) {
        std::unique_ptr<std::shared_ptr<HandOverRequest>> request(
            reinterpret_cast<std::shared_ptr<HandOverRequest>*>(lParam));
        RunRequest(**request);
        return 0;
    }
    if (message == WM_DESTROY) {
        State().window = nullptr;
        MarkClosed();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ThreadEnded()
{
    HandOverState& state = State();
    AcquireSRWLockExclusive(&state.count_lock);
    if (--state.running == 0)
        SetEvent(state.all_ended);
    ReleaseSRWLockExclusive(&state.count_lock);
}

void DefaultErrorReport(const char* what)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string title = path;
    title.erase(0, title.find_last_of("\\/") + 1);
    title.erase(std::min(title.rfind('.'), title.size()));
    MessageBoxA(nullptr, what, title.c_str(), MB_ICONERROR | MB_OK);
}

}  // namespace

TThread::ErrorReporter TThread::ReportError = DefaultErrorReport;

TThread::TThread() : step_done_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    if (!step_done_)
        throw std::runtime_error("スレッドのイベントを作成できません。");
}

TThread::~TThread()
{
    CloseHandle(step_done_);
}

void TThread::InitHandOver()
{
    HandOverState& state = State();
    if (!state.window) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA window_class{};
        if (!GetClassInfoA(instance, kHandOverClass, &window_class)) {
            window_class.lpfnWndProc = HandOverProc;
            window_class.hInstance = instance;
            window_class.lpszClassName = kHandOverClass;
            if (!RegisterClassA(&window_class))
                throw std::runtime_error("受け渡し用ウィンドウクラスを登録できません。");
        }
        HWND window = CreateWindowExA(0, kHandOverClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, instance, nullptr);
        if (!window)
            throw std::runtime_error("受け渡し用ウィンドウを作成できません。");
        if (state.ui_thread)
            CloseHandle(state.ui_thread);
        state.ui_thread = nullptr;
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(),
                        &state.ui_thread, SYNCHRONIZE, FALSE, 0);
        state.ui_thread_id = GetCurrentThreadId();
        state.window = window;
    }
    state.closed = false;
    ResetEvent(state.closed_event);
}

void TThread::CloseHandOver()
{
    MarkClosed();
}

bool TThread::IsHandOverClosed()
{
    return State().closed || !State().window;
}

void TThread::WaitForAll()
{
    HANDLE all_ended = State().all_ended;
    bool quit = false;
    WPARAM quit_code = 0;
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjectsEx(1, &all_ended, INFINITE, QS_ALLINPUT,
                                                  MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0)
            break;
        if (woken == WAIT_FAILED) {
            Sleep(10);
            continue;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Kept for the loop that called us.
                quit = true;
                quit_code = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (quit)
        PostQuitMessage(static_cast<int>(quit_code));
}

void TThread::ReportCurrentException() noexcept
{
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            ReportError(error.what());
        } catch (...) {
            ReportError("不明なエラーが発生しました。");
        }
    } catch (...) {
        // A reporter that fails has nobody left to tell.
    }
}

void TThread::Synchronize(const std::function<void()>& step)
{
    HandOverState& state = State();
    HWND window = state.window;
    if (!window || state.closed)
        throw HandOverClosed("UI スレッドへの受け渡しは終了しています。");
    if (GetCurrentThreadId() == state.ui_thread_id) {
        step();
        return;
    }

    auto request = std::make_shared<HandOverRequest>();
    request->step = &step;
    request->done = step_done_;
    auto message = std::make_unique<std::shared_ptr<HandOverRequest>>(request);
    if (!PostMessageA(window, kHandOverMessage, 0, reinterpret_cast<LPARAM>(message.get())))
        throw HandOverClosed("UI スレッドへ受け渡しできません。");
    message.release();  // the window procedure owns it now

    bool running = false;
    for (;;) {
        // Once the step runs, only its end counts: closing cannot cut it short.
        HANDLE events[] = {step_done_, state.closed_event, state.ui_thread};
        DWORD count = running ? 1 : (state.ui_thread ? 3 : 2);
        DWORD woken = WaitForMultipleObjects(count, events, FALSE, INFINITE);
        HandOverRequest::State now;
        {
            RequestLock lock;
            if (request->state == HandOverRequest::Pending
                && (state.closed || UiThreadEnded() || woken == WAIT_FAILED))
                request->state = HandOverRequest::Abandoned;
            now = request->state;
        }
        if (now == HandOverRequest::Done)
            break;
        if (now == HandOverRequest::Abandoned)
            throw HandOverClosed("UI スレッドへの受け渡しは終了しています。");
        if (now == HandOverRequest::Running) {
            if (woken == WAIT_FAILED)
                Sleep(1);
            running = true;
        }
    }
    if (request->error)
        std::rethrow_exception(request->error);
}

void TThread::Launch(TThread* thread)
{
    std::unique_ptr<TThread> owner(thread);
    if (!State().window)
        InitHandOver();

    HandOverState& state = State();
    AcquireSRWLockExclusive(&state.count_lock);
    if (state.running++ == 0)
        ResetEvent(state.all_ended);
    ReleaseSRWLockExclusive(&state.count_lock);

    uintptr_t handle = _beginthreadex(nullptr, 0, ThreadStart, thread, 0, nullptr);
    if (!handle) {
        ThreadEnded();
        throw std::runtime_error("スレッドを開始できません。");
    }
    owner.release();  // the thread deletes it
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

unsigned __stdcall TThread::ThreadStart(void* argument)
{
    TThread* thread = static_cast<TThread*>(argument);
    try {
        thread->Execute();
    } catch (const HandOverClosed&) {
        // The UI is closing: there is no window left to tell.
    } catch (...) {
        ReportCurrentException();
    }
    delete thread;
    ThreadEnded();
    return 0;
}

}  // namespace fw
