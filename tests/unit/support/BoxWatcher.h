#pragma once
#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Answers the message boxes that the code under test shows on this thread, as a
// user would: it finds each box of this process, notes what it says and presses
// the next button of its script (IDOK when the script is empty).
class BoxWatcher {
public:
    struct Seen {
        std::string Caption, Text;
        bool HasIcon = false;
        std::vector<std::string> Buttons;
    };

    explicit BoxWatcher(std::vector<int> answers = {});
    ~BoxWatcher();
    std::vector<Seen> Boxes();

private:
    void Run();
    std::deque<int> answers_;
    std::vector<Seen> seen_;
    std::mutex mutex_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
