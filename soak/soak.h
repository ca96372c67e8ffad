// The soak: one class's control under a seeded stream of random events, with
// what must hold checked after every event. A class's stream depends only on
// the seed and the class, so the seed and an event index name a failure
// exactly, and running that class again with as many events replays it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rng.h"

namespace qxs {

enum class Kind { kEdit, kInt, kFloat, kPicture, kTime, kCal, kButton };

struct ClassInfo {
    const char *name;
    Kind kind;
};

extern const ClassInfo kClasses[];
extern const int kClassCount;
const ClassInfo *FindClass(const std::string &name);

bool IsEdit(Kind k);

// Objects the soak makes once for the whole process, before handles are
// counted: fonts of every size, a brush for the parent's colour answers, the
// system icons it uses.
struct Shared {
    HFONT fonts[5] = {};  // huge, tiny, normal, bold italic, symbol
    HBRUSH brush = nullptr;
    Shared();
    ~Shared();
    Shared(const Shared &) = delete;
    Shared &operator=(const Shared &) = delete;
};

// What the host has set by calls that reported success: what the control's
// exports must read back.
struct Model {
    bool hasMask = false;
    std::string mask;
    long intMin = -2147483647L - 1, intMax = 2147483647L;
    char decimal = '.', group = ',';
    bool dateValid = true;  // the calendar's selected index is a day of its month
    bool calLimited = false;  // the calendar has limits (its setters may clamp or refuse)
};

// Days of a 1-based month (0 for no month).
int DaysIn(int month, int year);

// An action the parent takes inside a message it receives from the control
// during one event.
enum class Trap { kNone, kDestroy, kRenew, kSetText, kExport, kFocusAway, kReplyEarly };

class Soak {
public:
    Soak(const ClassInfo &info, uint64_t seed, const Shared &shared, bool trace);
    ~Soak();
    Soak(const Soak &) = delete;
    Soak &operator=(const Soak &) = delete;

    // Runs events [Done(), count); false at the first failure.
    bool Run(long count);
    // The warm-up: every kind of event a few times, then some of the stream,
    // unchecked.
    void Tour();
    long Done() const { return index_; }
    const std::string &Failure() const { return failure_; }
    // Changes with every text, selection, value and date the checks read.
    uint64_t Digest() const { return digest_; }
    // Destroys the control and everything the soak made for this class.
    void Finish();

    // For the process's fault handler: the class and event running now.
    static const Soak *Current();
    const char *ClassName() const { return info_.name; }
    const std::string &What() const { return what_; }

private:
    // ---- The stage (stage.cpp) ----
    static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void SpringTrap();
    // A new control with a random style and creation text; the model starts
    // over.
    void MakeControl();
    void DestroyControl();
    // Dispatches what is queued (timers excepted: the spin repeats only
    // where an event holds an arrow on purpose).
    void Pump();
    // Key state with Shift, Ctrl, AltGr, Alt as a mask (1, 2, 4, 8), until
    // cleared.
    static void HoldKeys(int mods);
    // Runs f with a thread timer armed that closes, or chooses an item of,
    // any popup menu it opens.
    void WithMenuCloser(const std::function<void()> &f);
    static void CALLBACK MenuTick(HWND, UINT, UINT_PTR, DWORD);
    HWND Live() const { return IsWindow(control_) ? control_ : nullptr; }

    // ---- The events (events.cpp) ----
    // One event, drawn from the stream (forced < 0) or of the given kind.
    void Event(int forced);
    void KeyEvent(bool posted);
    void CharEvent();
    void TypeRun(bool posted);
    void PasteEvent();
    void EditCommand();
    void SetSelEvent();
    void SetTextEvent();
    void MouseEvent();
    void RightClick();
    void WheelEvent();
    void SpinHold();
    void FontEvent();
    void SizeEvent();
    void FocusEvent();
    void CaptureEvent();
    void ThemeEvent();
    void StyleEvent();
    void PaintEvent();
    void CalKey();
    void CalButton();
    void ButtonKey();
    void WorkerEvent();
    void RegisterEvent();
    std::string RandomText(int maxLen);
    std::string RandomMask();
    // Characters for the positions of a mask, mostly ones that fit (letters
    // of either case where a placeholder converts case): raw, literals
    // mostly left out (QXPicSetValue); laid, one character a position
    // (WM_SETTEXT).
    std::string ValueFor(const std::string &mask, bool raw);
    // A buffer size for something of n bytes: half the time at its edge
    // (n - 1 to n + 2, the terminating zero's place), else anything from -2
    // to 70.
    int SizeAround(int n);
    char ClassChar();

    // ---- The exports (exports.cpp) ----
    // One export of the control's class with extreme arguments, its result
    // and what it promises checked at once.
    void ExportEvent();
    void ForeignExport();
    void IntExport();
    void FloatExport();
    void PictureExport();
    void TimeExport();
    void CalExport();
    void ButtonExport();
    void WindowlessExport();
    HBITMAP MakeBitmap();
    HICON MakeIcon();

    // ---- The checks (checks.cpp) ----
    void CheckAll();
    void CheckEdit(HWND h);
    void CheckCalendar(HWND h, bool wasValid);
    void CheckButton(HWND h);
    // The text as WM_GETTEXT gives it into a large guarded buffer.
    std::string Text(HWND h);
    void Fail(const std::string &why);
    void Expect(bool ok, const char *what);
    // A text read against the one expected: a failure shows both.
    void ExpectText(const std::string &got, const std::string &want, const char *what);
    void Mix(const void *data, size_t n);

    const ClassInfo info_;
    const Shared &shared_;
    Rng rng_;
    const bool trace_;
    long index_ = 0;
    std::string failure_;
    std::string what_;
    uint64_t digest_ = 0xCBF29CE484222325ull;

    HWND parent_ = nullptr;
    HWND other_ = nullptr;  // a system edit, to take the focus
    HWND control_ = nullptr;
    Model model_;
    DWORD style_ = 0;
    int made_ = 0;  // controls made

    // The parent's trap for the current event: the action at the nth
    // message `trapMsg` (WM_COMMAND or a colour request).
    Trap trap_ = Trap::kNone;
    UINT trapMsg_ = 0;
    int trapCount_ = 0;
    int springs_ = 0;       // traps gone off (a check after a call skips when one did meanwhile)
    bool hostSet_ = false;  // the event set a value as the host
    bool replied_ = false;  // the parent replied early to a call of another thread
    // An export that changes what the model holds (a mask, a range, the
    // separators) is under way: the model learns the result only when the
    // call returns, so a trap calls no export meanwhile (its checks would
    // read the model as it was).
    bool modelInFlux_ = false;
    bool navigated_ = false;  // the event moved a calendar's selection by keys
    int colorMode_ = 0;      // the parent's colour answers: default, a brush, none
    int menuChoice_ = -1;    // the item a popup menu gets chosen: -1 closes it

    // Pictures the soak has made for a button: the bitmap the button holds
    // (deleted with it), bitmaps and icons still the soak's.
    HBITMAP held_ = nullptr;
    std::vector<HBITMAP> bitmaps_;
    std::vector<HICON> icons_;
    HICON shownIcon_ = nullptr;
};

}  // namespace qxs
