// The hook's cost on ordinary mouse traffic: its procedure called with WM_MOUSEMOVE,
// against a bare procedure that only passes the message on. Rounds alternate
// between the two so that both see the same machine; the median round counts.
#include <windows.h>

#include <algorithm>
#include <stdio.h>
#include <vector>

static LRESULT CALLBACK BareProc(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(0, code, wParam, lParam);
}

static double MicrosecondsPerCall(HOOKPROC proc, int calls)
{
    MOUSEHOOKSTRUCT mouse = {};
    mouse.pt.x = 100;
    mouse.pt.y = 100;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < calls; ++i)
        proc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&mouse));
    QueryPerformanceCounter(&end);
    return 1e6 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart) / calls;
}

int main(int argc, char** argv)
{
    const char* library = argc > 1 ? argv[1] : "ClickPocket.dll";
    HMODULE module = LoadLibraryA(library);
    HOOKPROC hook = module ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                 GetProcAddress(module, "CLICKPOCKET_MSP")))
                           : 0;
    if (hook == 0) {
        fprintf(stderr, "cannot load CLICKPOCKET_MSP from %s\n", library);
        return 1;
    }
    const int rounds = 15, calls = 2000;
    std::vector<double> bare, ours, ratio;
    MicrosecondsPerCall(BareProc, calls);            // warm up both paths
    MicrosecondsPerCall(hook, calls);
    for (int r = 0; r < rounds; ++r) {
        double b = MicrosecondsPerCall(BareProc, calls);
        double h = MicrosecondsPerCall(hook, calls);
        bare.push_back(b);
        ours.push_back(h);
        ratio.push_back(h / b);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    printf("hook WM_MOUSEMOVE: %.3f us/call, bare CallNextHookEx: %.3f us/call, "
           "ratio %.3f (median of %d rounds x %d calls)\n",
           median(ours), median(bare), median(ratio), rounds, calls);
    return 0;
}
