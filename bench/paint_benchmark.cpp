// What one board paint costs under Wine: PaintBoard with nine targets into a memory device context.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "front_end.h"
#include "game_state.h"

namespace {

constexpr int PaintsPerSample = 2000;
constexpr int Samples = 15;

double Microseconds(LARGE_INTEGER start, LARGE_INTEGER end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Timing {
    double median;   // microseconds per call, the median sample
    double fastest;  // the fastest sample: the least disturbed by other processes
};

// Times work over several samples of many calls each.
template <typename Work>
Timing TimePerCall(int callsPerSample, Work work) {
    std::vector<double> samples;
    for (int sample = 0; sample < Samples; ++sample) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        for (int call = 0; call < callsPerSample; ++call) {
            work();
        }
        QueryPerformanceCounter(&end);
        samples.push_back(Microseconds(start, end) / callsPerSample);
    }
    std::sort(samples.begin(), samples.end());
    return Timing{samples[samples.size() / 2], samples.front()};
}

// Nine targets in every state a round shows, covered ones in yellow.
void SetUpNineTargets() {
    const int32_t states[MaxTargets] = {Shown, Hidden, Correct, Wrong, Revealed, Hidden, Shown, Correct, Hidden};
    for (int32_t number = 1; number <= MaxTargets; ++number) {
        targetTable.slots[number] = Target{2 * number, number, states[number - 1]};
    }
    roundState.targetCount = MaxTargets;
    gameSettings.hideColor = 3;
}

// What a paint would cost if it made its font each time: create, realise by drawing, delete.
void MakeUseAndDeleteAFont(HDC memory) {
    HFONT font = CreateFontA(32, 32, 0, 0, 600, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ 明朝");
    HGDIOBJ previous = SelectObject(memory, font);
    TextOutA(memory, 0, BoardTop, "1", 1);
    SelectObject(memory, previous);
    DeleteObject(font);
}

}  // namespace

int main() {
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, BoardWidth, BoardBottom);
    HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const RECT client = {0, 0, BoardWidth, BoardBottom};

    CreateBoardFont();
    const HFONT fontMadeAtStart = boardFont;
    SetUpNineTargets();
    PaintBoard(memory);

    const Timing paint = TimePerCall(PaintsPerSample, [&] { PaintBoard(memory); });
    const Timing eraseAndPaint = TimePerCall(PaintsPerSample, [&] {
        FillRect(memory, &client, black);
        PaintBoard(memory);
    });
    const Timing fontPerPaint = TimePerCall(PaintsPerSample / 10, [&] { MakeUseAndDeleteAFont(memory); });

    std::printf("Microseconds per call: median of %d samples of %d calls (fastest sample)\n", Samples,
                PaintsPerSample);
    std::printf("PaintBoard, nine targets, memory DC:    %8.2f (%.2f)\n", paint.median, paint.fastest);
    std::printf("Erase 640 x 520 black, then PaintBoard: %8.2f (%.2f)\n", eraseAndPaint.median, eraseAndPaint.fastest);
    std::printf("Making, using and deleting the font:    %8.2f (%.2f), what a font made per paint would add\n",
                fontPerPaint.median, fontPerPaint.fastest);
    std::printf("Board font made once: %s (handle unchanged after %d paints)\n",
                boardFont == fontMadeAtStart ? "yes" : "NO", 2 * Samples * PaintsPerSample);

    SelectObject(memory, previousBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return boardFont == fontMadeAtStart ? 0 : 1;
}
