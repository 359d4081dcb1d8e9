// Times the first read of a history.csv of 100,000 games, written here first, as the game reads it.
#include <windows.h>

#include <cstdio>

#include "history_file.h"

int main() {
    FILE* file = std::fopen(HistoryFileName, "wb");
    if (file == nullptr) {
        return 1;
    }
    std::fputs("played_at,course,target_count,progress,display_seconds,tries,rounds_cleared,stages_cleared,grade\r\n",
               file);
    for (int game = 0; game < 100000; ++game) {
        if (game % 2 != 0) {
            std::fprintf(file, "2026-12-07T08:05:09,fixed,%d,%d,%d.%d,%d,%d,,Human\r\n", 1 + game % 9, 1 + game % 10,
                         game % 3, game % 10, 1 + game % 10, game % 4);
        } else {
            std::fprintf(file, "2026-12-07T08:05:09,challenge,7,,0.%d,,,%d,Chimpanzee\r\n", game % 10, game % 29);
        }
    }
    std::fclose(file);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const HistorySummary& history = GameHistory();
    QueryPerformanceCounter(&end);
    std::printf("history: %d games read in %.1f ms\n", history.fixedGames + history.challengeGames,
                static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
    return history.fixedGames + history.challengeGames == 100000 ? 0 : 1;
}
