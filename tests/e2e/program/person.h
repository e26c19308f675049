// A person at the keyboard while a modal sheet runs: a thread timer, dispatched by whatever modal
// loop is running on this thread, takes the next step of a script every tick. A step that cannot
// be done yet (its window is not up) is tried again at the next tick; one that never succeeds ends
// the script, and the person then cancels whatever is still open so the program never hangs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Person {
public:
    // True when the step was done; false to try again at the next tick.
    using Action = std::function<bool()>;

    Person() = default;
    ~Person();
    Person(const Person&) = delete;
    Person& operator=(const Person&) = delete;

    void Then(const char* what, Action action);
    // Begins acting at the next message loop on this thread.
    void Start();
    void Stop();

    bool finished() const { return next_ == steps_.size(); }
    // The step the person could not do, or "" when every step was done.
    std::string stuckAt() const;

private:
    struct Step {
        std::string what;
        Action action;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void TakeNextStep();
    void GiveUp();

    std::vector<Step> steps_;
    size_t next_ = 0;
    int tries_ = 0;
    bool stuck_ = false;
    bool acting_ = false;
    UINT_PTR timer_ = 0;
};
