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
    // Games such as players finish, each written as the game writes it, with the grade its own
    // figures give, since the reader skips a line whose figures no game writes together.
    const LocalDateTime playedAt = {2026, 12, 7, 8, 5, 9};
    char line[160];
    for (int32_t game = 0; game < 100000; ++game) {
        const int32_t count = 1 + game % 9, tries = 1 + game % 10, rounds = (game / 2) % (tries + 1);
        GameRecord record = {};
        if (game % 2 != 0) {
            const int32_t progress = rounds == tries ? count + 1 : 1 + game % count;
            const int32_t tenths = 1 + game % 30;
            record = {FixedCourse, count, progress, tenths, tries, rounds, 0,
                      rateFixedCourse(count, progress, tenths, rounds)};
        } else {
            const int32_t stages = game % 29;
            record = {ChallengeCourse, 7, 0, 1 + game % 30, 0, 0, stages, rateChallengeCourse(stages + 1)};
        }
        std::fwrite(line, 1, static_cast<size_t>(FormatHistoryLine(record, playedAt, line, sizeof line)), file);
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
