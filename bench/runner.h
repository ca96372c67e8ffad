// Runs one comparison: the library's control and the system's doing the same
// job in the same process, taking turns of a few operations over several
// rounds, each operation timed alone; handle counts before and after.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "handles.h"
#include "stats.h"

namespace qxb {

// Dispatches every queued message of this thread.
void Pump();
// Seconds on the performance counter.
double Now();

// One side of a comparison. Setup makes its windows; each operation i is
// the focus given, Prepare, the stage painted and the queue pumped
// (untimed), Op (timed), Finish (untimed), the queue pumped.
class Side {
public:
    virtual ~Side() = default;
    // An error text when the windows cannot be made.
    virtual std::string Setup(HWND stage) = 0;
    virtual void Teardown() = 0;
    virtual void Prepare(int i) {}
    virtual void Op(int i) = 0;
    virtual void Finish(int i) {}
    // Called after the first operation: an error text when the operation
    // did not do its job (nothing typed, nothing drawn...).
    virtual std::string Check() { return {}; }
    // The window that has the focus while this side's operations run.
    virtual HWND FocusWindow() const { return nullptr; }
};

struct Case {
    std::string name;
    double goal = 0;  // met when ours/system is at most this
    std::function<std::unique_ptr<Side>()> ours, system;
};

struct Plan {
    int rounds = 40;
    int ops = 250;  // per side and round
    int warmup = 4;
};

// Handles gained (made and not freed): positive is a loss of free slots.
struct Gained {
    int gdi = 0;
    int user = 0;
    bool Any() const { return gdi != 0 || user != 0; }
};

struct Result {
    std::string error;          // empty when the case ran
    Summary ours, system;       // microseconds per operation, over the rounds' fast ends
    Summary ratio;              // ours/system of each round
    bool counted = false;       // the handle gauges worked
    Gained gained;              // over the whole case, both sides
    bool attributed = false;    // gained was not zero: each side was run alone again
    bool low = false;           // a table was nearly full after the case: counts doubtful
    Gained oursGained, systemGained;
};

class Runner {
public:
    Runner(HWND oursStage, HWND systemStage, HWND idle, HandleGauge *gdi, HandleGauge *user,
           const Plan &plan);
    Result Run(const Case &c);

private:
    struct Counts {
        int gdi = -1, user = -1;
    };
    // The free slots of both tables; settled: the reserves made free again first.
    Counts Count(bool settle = false);
    static Gained Between(const Counts &before, const Counts &after);
    // One whole life of a side alone: set up, n operations, torn down.
    std::string Life(Side &side, HWND stage, int n);
    // Both sides of a case made and set up in their stages, or an error
    // text (and nothing left set up).
    std::string SetUp(std::unique_ptr<Side> (&sides)[2], const Case &c);
    void TearDown(std::unique_ptr<Side> (&sides)[2]);
    // Operation i of a side: its time in microseconds.
    double Op(Side &side, HWND stage, int i);
    void Ops(Side &side, HWND stage, int first, int n);

    HWND stages_[2];
    HWND idle_;  // takes the focus between cases
    HandleGauge *gdi_, *user_;
    Plan plan_;
};

}  // namespace qxb
