// What the page asks the WebAssembly side for by number. The page gets these names from this
// header itself (inline_page.py), so each number is written once.
#pragma once

#include <cstdint>

// The figures glimmark_figure reads out of the game's records and the rules.
enum Figure : int32_t {
    CourseModeFigure,
    ResultTargetCount,
    ResultProgress,
    ResultTime,
    ResultTries,
    ResultRounds,
    StagesCleared,
    ClearedCount,
    ClearedTime,
    FixedGrade,
    ChallengeGrade,
    FixedGames,
    ChallengeGames,
    ChallengeBest,
    RecentCount,
    FixedBestCount,
    ChartBandCountFigure,
    ChartBarColorFigure,
    ChartNameMarginFigure,
    ChartScaleMarginFigure,
    ChartedGamesFigure,
    LastStageFigure,
    SplashMillisecondsFigure,
    CellSizeFigure,
    BoardTopFigure,
    GridColumnsFigure,
    GridRowsFigure,
};

// The lines of text glimmark_figure_text makes.
enum FigureLine : int32_t { FixedBestLine, ChallengeBestLine, SplashLevel, SplashStage, GamesPlayed, RecordsBestLine };

// The settings dialog's five lists.
enum SettingsList : int32_t { CountList, TimeList, TriesList, ColorList, LevelList };

// What glimmark_chart_band tells of one band of the records chart.
enum ChartBandPart : int32_t { BandColor, BandName, BandLowStage, BandHighStage };

// What glimmark_toolbar_button tells of one button of the toolbar.
enum ToolbarPart : int32_t { SeparatorsBefore, TooltipText };
