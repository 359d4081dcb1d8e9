// Every text a player sees, in Japanese and in English, as UTF-8: the one place both front ends take them from.
#pragma once

#include <cstdint>

constexpr int32_t JapaneseLanguage = 0;
constexpr int32_t EnglishLanguage = 1;
constexpr int32_t PlayerLanguageCount = 2;

// Process-wide; the front end sets it once at start, before any text is shown.
// Any value but EnglishLanguage means Japanese, the game's own language.
void SetPlayerLanguage(int32_t language);
int32_t PlayerLanguage();

// One id per text. Names ending in Format are printf formats: %d for a whole
// number, %s for a figure already formatted (a time such as "0.5").
enum TextId : int32_t {
    // ---- The main window ----
    WindowTitleText,

    // ---- Messages of the round flow (caption "Glimmark") ----
    StageClearedFormat,
    RoundClearedFormat,
    WrongClickText,

    // ---- The result dialogs' large lines, drawn in the board font ----
    BrainHeadingText,
    FrogGradeText,  // the ten grade lines follow in BrainLevel order
    BirdGradeText,
    SquirrelGradeText,
    BoarGradeText,
    RabbitGradeText,
    PigGradeText,
    DogGradeText,
    HumanGradeText,
    ChimpanzeeGradeText,
    SuperGeniusGradeText,

    // ---- Stage splash ----
    BeginnerSplashText,
    IntermediateSplashText,
    AdvancedSplashText,
    SplashStageFormat,  // count, then time

    // ---- Warnings of the settings and history files ----
    SettingsMissingText,
    ReadErrorCaption,
    SettingsUnwritableText,
    WriteErrorCaption,
    HistoryUnwritableText,
    StorageRestoredText,  // the browser's: its main storage came up empty, the spare copy was read

    // ---- Game settings dialog ----
    SettingsTitle,
    CountLabel,
    TimeLabel,
    TriesLabel,
    ColorLabel,
    OkButton,
    FixedCourseButton,
    ChallengeCourseButton,
    WhiteColorItem,  // the five colour items follow in code order, then the three levels
    GreyColorItem,
    YellowColorItem,
    LightBlueColorItem,
    PinkColorItem,
    BeginnerLevelItem,
    IntermediateLevelItem,
    AdvancedLevelItem,

    // ---- Result dialogs ----
    FixedResultTitle,
    ChallengeResultTitle,
    CloseButton,
    OfTargetsLabel,
    TargetsLabel,
    SecondsLabel,
    OfTriesLabel,
    TimesLabel,
    StagesClearedLabel,
    FixedBestNoneText,
    FixedBestNewFormat,
    FixedBestFormat,
    ChallengeBestNoneText,
    ChallengeBestNewFormat,
    ChallengeBestFormat,

    // ---- About box ----
    AboutTitle,
    AboutVersionText,
    AboutTaglineText,
    AboutChallengeText,
    AboutNameText,  // the lines below the picture, the same in both languages
    AboutWindowsBuildText,
    AboutWindowsInterfaceText,
    AboutBrowserBuildText,
    AboutBrowserInterfaceText,
    AboutDevelopersText,
    AboutAddressText,

    // ---- Records: the system-menu item, the dialog and its chart ----
    RecordsMenuItem,
    RecordsTitle,
    GamesPlayedFormat,  // fixed games, then challenge games
    RecordsChallengeBestNoneText,
    RecordsChallengeBestFormat,
    FixedBestsLabel,
    FixedBestLineFormat,  // count, time, tries, rounds cleared; tab-separated
    NoFixedBestsText,
    NoHistoryText,
    ChartLabel,
    NoChallengeChartText,
    BeginnerBandName,
    IntermediateBandName,
    AdvancedBandName,
    SaveHistoryButton,  // the browser's records dialog moves the history to and from a file
    LoadHistoryButton,

    // ---- Toolbar tooltips ----
    StartTooltip,
    GameSettingsTooltip,
    BrainLevelTooltip,
    VersionTooltip,
    WebHelpTooltip,
    ExitTooltip,

    // ---- Web help ----
    BrowserMissingText,
    BrowserMissingCaption,
    WebHelpAddress,  // the help page, not translated

    TextIdCount
};

// The text in the current language.
const char* PlayerText(TextId id);
// The text in a given language, whatever the current one; for checks that compare the two.
const char* PlayerTextIn(int32_t language, TextId id);
