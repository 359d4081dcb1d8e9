// What the page's dialogs show and store: texts, the result and history figures, the settings lists and their conversions.
#include <emscripten.h>

#include <cstdio>

#include "dialog_data.h"

#include "brain_level.h"
#include "challenge_bands.h"
#include "game_state.h"
#include "history_file.h"
#include "player_texts.h"
#include "result_best.h"
#include "settings_text.h"
#include "toolbar_buttons.h"
#include "web_front_end.h"

namespace {

char line[256];

const char* Formatted(TextId format, int32_t number) {
    std::snprintf(line, sizeof line, PlayerText(format), static_cast<int>(number));
    return line;
}

const char* ResultBestText(int32_t course) {
    const BestLine best = ResultBestLine(course);
    return Formatted(best.format, best.figure);
}

const char* SplashStageLine() {
    std::snprintf(line, sizeof line, PlayerText(SplashStageFormat), static_cast<int>(roundState.targetCount),
                  TenthsText(roundState.displayTime));
    return line;
}

const char* GamesPlayedLine() {
    const HistorySummary& history = GameHistory();
    std::snprintf(line, sizeof line, PlayerText(GamesPlayedFormat), static_cast<int>(history.fixedGames),
                  static_cast<int>(history.challengeGames));
    return line;
}

const char* RecordsChallengeBest() {
    const int32_t best = GameHistory().challengeBest;
    return best == NoBest ? PlayerText(RecordsChallengeBestNoneText) : Formatted(RecordsChallengeBestFormat, best);
}

int32_t FixedBestsPlayed() {
    int32_t played = 0;
    ForEachFixedBest(GameHistory().fixedBests, [&played](const FixedSetting&, int32_t) {
        ++played;
        return true;
    });
    return played;
}

// The settings lists: each number list offers every value of the setting's range.
const FigureRange* RangeOfList(int32_t list) {
    switch (list) {
    case CountList:
        return &CountRange;
    case TimeList:
        return &TimeRange;
    case TriesList:
        return &TriesRange;
    default:
        return nullptr;
    }
}

const TextList& TextListOf(int32_t list) {
    return list == ColorList ? ColorItemList : LevelItemList;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* glimmark_text(int32_t id) {
    return PlayerText(static_cast<TextId>(id));
}

EMSCRIPTEN_KEEPALIVE void glimmark_set_language(int32_t english) {
    SetPlayerLanguage(english != 0 ? EnglishLanguage : JapaneseLanguage);
}

EMSCRIPTEN_KEEPALIVE int32_t glimmark_figure(int32_t figure) {
    switch (figure) {
    case CourseModeFigure: return gameSettings.courseMode;
    case ResultTargetCount: return resultSnapshot.targetCount;
    case ResultProgress: return resultSnapshot.progress;
    case ResultTime: return resultSnapshot.displayTime;
    case ResultTries: return resultSnapshot.tries;
    case ResultRounds: return resultSnapshot.roundsPlayed;
    case StagesCleared: return ChallengeStagesCleared();
    case ClearedCount: return resultSnapshot.clearedCount;
    case ClearedTime: return resultSnapshot.clearedTime;
    case FixedGrade:
        return rateFixedCourse(resultSnapshot.targetCount, resultSnapshot.progress, resultSnapshot.displayTime,
                               resultSnapshot.roundsPlayed);
    case ChallengeGrade: return rateChallengeCourse(roundState.stage);
    case FixedGames: return GameHistory().fixedGames;
    case ChallengeGames: return GameHistory().challengeGames;
    case ChallengeBest: return GameHistory().challengeBest;
    case RecentCount: return GameHistory().recentCount;
    case FixedBestCount: return FixedBestsPlayed();
    case ChartBandCountFigure: return ChartBandCount;
    case ChartBarColorFigure: return ChartBarColor;
    case ChartNameMarginFigure: return ChartNameMargin;
    case ChartScaleMarginFigure: return ChartScaleMargin;
    case ChartedGamesFigure: return ChartedGames;
    case LastStageFigure: return LastStage;
    case SplashMillisecondsFigure: return SplashMilliseconds;
    case CellSizeFigure: return CellSize;
    case BoardTopFigure: return BoardTop;
    case GridColumnsFigure: return GridColumns;
    case GridRowsFigure: return GridRows;
    default: return 0;
    }
}

EMSCRIPTEN_KEEPALIVE const char* glimmark_figure_text(int32_t figureLine) {
    switch (figureLine) {
    case FixedBestLine: return ResultBestText(FixedCourse);
    case ChallengeBestLine: return ResultBestText(ChallengeCourse);
    case SplashLevel: return PlayerText(SplashBandText(roundState.targetCount));
    case SplashStage: return SplashStageLine();
    case GamesPlayed: return GamesPlayedLine();
    case RecordsBestLine: return RecordsChallengeBest();
    default: return "";
    }
}

EMSCRIPTEN_KEEPALIVE const char* glimmark_tenths_text(int32_t tenths) {
    return TenthsText(tenths);
}

EMSCRIPTEN_KEEPALIVE const char* glimmark_grade_text(int32_t grade) {
    return BrainLevelText(static_cast<BrainLevel>(grade));
}

EMSCRIPTEN_KEEPALIVE int32_t glimmark_grade_picture(int32_t grade) {
    return BrainLevelPictureId(static_cast<BrainLevel>(grade));
}

EMSCRIPTEN_KEEPALIVE int32_t glimmark_recent_stage(int32_t game) {
    const HistorySummary& history = GameHistory();
    return game >= 0 && game < history.recentCount ? history.recentStages[game] : 0;
}

// The name comes as its text id, which the page reads as every other text.
EMSCRIPTEN_KEEPALIVE int32_t glimmark_chart_band(int32_t band, int32_t part) {
    const ChartBand chartBand = ChartBandAt(band);
    switch (part) {
    case BandColor: return chartBand.color;
    case BandName: return chartBand.name;
    case BandLowStage: return chartBand.lowStage;
    case BandHighStage: return chartBand.highStage;
    default: return 0;
    }
}

EMSCRIPTEN_KEEPALIVE int32_t glimmark_toolbar_button(int32_t button, int32_t part) {
    const ToolbarButtonLook look = ToolbarButtonAt(button);
    return part == SeparatorsBefore ? look.separatorsBefore : look.tooltip;
}

EMSCRIPTEN_KEEPALIVE const char* glimmark_fixed_best_line(int32_t wanted) {
    line[0] = '\0';
    int32_t index = 0;
    ForEachFixedBest(GameHistory().fixedBests, [&](const FixedSetting& setting, int32_t rounds) {
        if (index++ != wanted) {
            return true;
        }
        std::snprintf(line, sizeof line, PlayerText(FixedBestLineFormat), static_cast<int>(setting.targetCount),
                      TenthsText(setting.displayTime), static_cast<int>(setting.tries), static_cast<int>(rounds));
        return false;
    });
    return line;
}

EMSCRIPTEN_KEEPALIVE int32_t glimmark_list_size(int32_t list) {
    if (const FigureRange* range = RangeOfList(list)) {
        return range->high - range->low + 1;
    }
    return TextListOf(list).count;
}

EMSCRIPTEN_KEEPALIVE const char* glimmark_list_entry(int32_t list, int32_t index) {
    if (const FigureRange* range = RangeOfList(list)) {
        return list == TimeList ? TenthsText(range->low + index) : WholeText(range->low + index);
    }
    return PlayerText(ListedText(TextListOf(list), index + 1));
}

// The settings file's figures are held to the ranges on load, so each stands in its list.
EMSCRIPTEN_KEEPALIVE int32_t glimmark_list_current(int32_t list) {
    switch (list) {
    case CountList: return ClampToRange(gameSettings.fixedCount, CountRange) - CountRange.low;
    case TimeList: return ClampToRange(gameSettings.fixedTime, TimeRange) - TimeRange.low;
    case TriesList: return ClampToRange(gameSettings.fixedTries, TriesRange) - TriesRange.low;
    case ColorList: return ListedEntry(ColorItemList, gameSettings.hideColor);
    default: return ListedEntry(LevelItemList, gameSettings.startLevel);
    }
}

EMSCRIPTEN_KEEPALIVE void glimmark_set_course(int32_t course) {
    gameSettings.courseMode = course != FixedCourse ? ChallengeCourse : FixedCourse;
}

// The texts of the chosen entries, read back by the same rules as the exe's dialog.
EMSCRIPTEN_KEEPALIVE void glimmark_store_settings(const char* count, const char* time, const char* tries,
                                                  const char* color, const char* level) {
    gameSettings.fixedCount = CountFromText(count);
    gameSettings.fixedTime = TimeFromText(time);
    gameSettings.fixedTries = TriesFromText(tries);
    gameSettings.hideColor = ColorFromText(color);
    gameSettings.startLevel = LevelFromText(level);
}

}  // extern "C"
