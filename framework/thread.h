#pragma once
// The worker thread class and its synchronous hand-over to the UI thread.
//
// A worker is made with TThread::Start<T>(...): the object is built completely, then its
// thread starts and runs Execute; when Execute returns the thread deletes the object.
// Nobody keeps a worker.
//
// Synchronize(step) runs the step on the UI thread and waits for it. The UI thread is the
// thread that made the hand-over window (InitHandOver, or the first Start); it runs a
// waiting step whenever it takes messages: in its main loop and in every modal loop
// (message boxes, menus, the shell's dialogs), since the step arrives as a message posted
// to a window of that thread.

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <stdexcept>
#include <utility>

namespace fw {

// Raised in a worker by Synchronize once the UI thread takes no more hand-overs.
class HandOverClosed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TThread {
public:
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Builds a T from the arguments and starts its thread at once. Call on the UI thread.
    // Throws when the thread cannot be started (the object is then deleted).
    template <class T, class... A>
    static void Start(A&&... args)
    {
        Launch(new T(std::forward<A>(args)...));
    }

    // Makes the calling thread the UI thread: creates the hand-over window if there is
    // none yet, and opens the hand-over (again, after CloseHandOver).
    static void InitHandOver();
    // From now on every Synchronize throws HandOverClosed at once; workers waiting for a
    // step that has not begun are released with that error. A step already running on the
    // UI thread is finished first. Call on the UI thread when the main window begins to close.
    static void CloseHandOver();
    static bool IsHandOverClosed();
    // Waits until every worker has ended and been deleted, dispatching messages meanwhile,
    // so that a worker waiting in Synchronize is served (or released, once closed).
    static void WaitForAll();

    // The standard error report for what escapes a worker. Replaceable, so that the
    // application can show its own title; must not throw.
    using ErrorReporter = void (*)(const char* what);
    static ErrorReporter ReportError;
    // Reports the exception being handled through ReportError. Call inside a catch block.
    static void ReportCurrentException() noexcept;

protected:
    TThread();
    virtual void Execute() = 0;

    // Runs the step on the UI thread and returns when it has run. An exception raised by
    // the step is raised again here. Throws HandOverClosed when there is no hand-over
    // window, or it is closed or gone. Called on the UI thread itself, runs the step there.
    void Synchronize(const std::function<void()>& step);

private:
    static void Launch(TThread* thread);
    static unsigned __stdcall ThreadStart(void* argument);

    HANDLE step_done_;  // auto-reset: the UI thread has finished or dropped our step
};

}  // namespace fw
