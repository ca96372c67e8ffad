#include "runner.h"

#include <algorithm>

namespace qxb {
namespace {

// Operations at most each side runs alone when a case gained handles.
constexpr int kAttributionOps = 1000;
// Operations a side runs before the other side's turn.
constexpr int kTurn = 10;
// What a round gives for each side: this quantile of its operations' times.
constexpr double kRoundQuantile = 0.1;

}  // namespace

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / frequency;
}

Runner::Runner(HWND oursStage, HWND systemStage, HWND idle, HandleGauge *gdi, HandleGauge *user,
               const Plan &plan)
    : stages_{oursStage, systemStage}, idle_(idle), gdi_(gdi), user_(user), plan_(plan) {}

Runner::Counts Runner::Count(bool settle) {
    Pump();
    Counts c;
    if (gdi_) c.gdi = settle ? gdi_->Settle() : gdi_->FreeSlots();
    if (user_) c.user = settle ? user_->Settle() : user_->FreeSlots();
    return c;
}

Gained Runner::Between(const Counts &before, const Counts &after) {
    Gained g;
    if (before.gdi >= 0 && after.gdi >= 0) g.gdi = before.gdi - after.gdi;
    if (before.user >= 0 && after.user >= 0) g.user = before.user - after.user;
    return g;
}

double Runner::Op(Side &side, HWND stage, int i) {
    HWND focus = side.FocusWindow();
    if (focus && GetFocus() != focus) SetFocus(focus);
    side.Prepare(i);
    // Nothing left over from before (a focus change, a new text) is painted
    // inside the time taken.
    UpdateWindow(stage);
    Pump();
    const double start = Now();
    side.Op(i);
    const double end = Now();
    side.Finish(i);
    Pump();
    return (end - start) * 1e6;
}

void Runner::Ops(Side &side, HWND stage, int first, int n) {
    for (int i = first; i < first + n; ++i) Op(side, stage, i);
}

std::string Runner::Life(Side &side, HWND stage, int n) {
    std::string error = side.Setup(stage);
    if (error.empty()) Ops(side, stage, 0, n);
    side.Teardown();
    SetFocus(idle_);
    Pump();
    return error;
}

std::string Runner::SetUp(std::unique_ptr<Side> (&sides)[2], const Case &c) {
    sides[0] = c.ours();
    sides[1] = c.system();
    for (int s = 0; s < 2; ++s) {
        const std::string error = sides[s]->Setup(stages_[s]);
        if (!error.empty()) {
            for (int k = 0; k <= s; ++k) sides[k]->Teardown();
            return (s == 0 ? "ours: " : "system: ") + error;
        }
    }
    return {};
}

void Runner::TearDown(std::unique_ptr<Side> (&sides)[2]) {
    for (auto &side : sides) side->Teardown();
    SetFocus(idle_);
    Pump();
}

Result Runner::Run(const Case &c) {
    Result r;
    SetFocus(idle_);
    std::unique_ptr<Side> sides[2];

    // The case once as it is measured, both sides together: whatever the
    // system and the library keep for the process (theme data, cached DCs,
    // fonts) is made before anything is counted. And each operation is
    // checked to do its job.
    r.error = SetUp(sides, c);
    if (!r.error.empty()) return r;
    for (int s = 0; s < 2 && r.error.empty(); ++s) {
        Op(*sides[s], stages_[s], 0);
        const std::string error = sides[s]->Check();
        if (!error.empty()) r.error = (s == 0 ? "ours: " : "system: ") + error;
        Ops(*sides[s], stages_[s], 1, plan_.warmup - 1);
    }
    TearDown(sides);
    if (!r.error.empty()) return r;

    const Counts before = Count(true);
    r.counted = before.gdi >= 0 && before.user >= 0;
    r.error = SetUp(sides, c);
    if (!r.error.empty()) return r;
    for (int s = 0; s < 2; ++s) Ops(*sides[s], stages_[s], 0, plan_.warmup);

    // The sides take turns of a few operations, the one going first changing
    // every turn: a disturbance from outside (other processes on the
    // machine) lasting longer than a turn falls on both alike, while each
    // side runs a few operations in a row as typing or clicking does.
    //
    // Every operation of a case does the same work, so the fast end of a
    // round's times is what that work costs; the rest is the operation
    // waiting for the processor. On a loaded machine most operations wait,
    // and the longer ones more often, so a round's median drifts with the
    // load (and the ratio with it) while a low quantile holds.
    std::vector<double> rounds[2], ratios;
    int next[2] = {plan_.warmup, plan_.warmup};
    int turn = 0;
    for (int round = 0; round < plan_.rounds; ++round) {
        std::vector<double> times[2];
        for (int done = 0; done < plan_.ops; done += kTurn, ++turn) {
            const int n = std::min(kTurn, plan_.ops - done);
            for (int k = 0; k < 2; ++k) {
                const int s = turn % 2 == 0 ? k : 1 - k;
                for (int j = 0; j < n; ++j) times[s].push_back(Op(*sides[s], stages_[s], next[s]++));
            }
        }
        for (int s = 0; s < 2; ++s) rounds[s].push_back(Quantile(times[s], kRoundQuantile));
        if (rounds[1].back() > 0) ratios.push_back(rounds[0].back() / rounds[1].back());
    }
    TearDown(sides);
    const Counts after = Count();

    r.ours = Summarize(rounds[0]);
    r.system = Summarize(rounds[1]);
    r.ratio = Summarize(ratios);
    r.gained = Between(before, after);
    r.low = (gdi_ && after.gdi < gdi_->Reserve() / 4) || (user_ && after.user < user_->Reserve() / 4);

    // Something was gained: each side again, alone, enough operations to
    // show a loss per operation (a rarer one shows only in the total).
    if (r.counted && r.gained.Any()) {
        const int ops = plan_.warmup + std::min(plan_.rounds * plan_.ops, kAttributionOps);
        r.attributed = true;
        Gained *per[2] = {&r.oursGained, &r.systemGained};
        for (int s = 0; s < 2; ++s) {
            const Counts start = Count(true);
            std::unique_ptr<Side> side = s == 0 ? c.ours() : c.system();
            Life(*side, stages_[s], ops);
            *per[s] = Between(start, Count());
        }
    }
    return r;
}

}  // namespace qxb
