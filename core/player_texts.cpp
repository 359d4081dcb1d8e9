// The player's texts in both languages, one row per text, and the language the game speaks.
#include "player_texts.h"

namespace {

struct PlayerTextRow {
    TextId id;  // only there to prove the rows are in id order
    const char* japanese;
    const char* english;
};

// The English lines that the board font draws hold at most twelve characters:
// it draws every half-width character 32 pixels wide, and the result dialog
// is about 400 pixels across. The leading blanks centre them, as the Japanese
// lines' do. Labels and items must fit the controls the Japanese texts were
// laid out for, so the English is terse where a control is narrow.
constexpr PlayerTextRow PlayerTextRows[TextIdCount] = {
    {WindowTitleText, "Glimmark Ver1.11", "Glimmark Ver1.11"},

    {StageClearedFormat, "チャレンジ%dクリア", "Stage %d cleared!"},
    {RoundClearedFormat, "やったね！ST%dクリア", "Yes! Round %d cleared"},
    {WrongClickText, "ぶ～。間違いです！", "Bzzt. Wrong number!"},

    {BrainHeadingText, "あなたの脳は", "Your brain:"},
    {FrogGradeText, " カエルです", "   Frog"},
    {BirdGradeText, "   鳥です", "   Bird"},
    {SquirrelGradeText, "  リスです", " Squirrel"},
    {BoarGradeText, "  ｲﾉｼｼです", " Wild boar"},
    {RabbitGradeText, " うさぎです", "  Rabbit"},
    {PigGradeText, "   豚です", "    Pig"},
    {DogGradeText, "   犬です", "    Dog"},
    {HumanGradeText, "  人間です", "   Human"},
    {ChimpanzeeGradeText, "ﾁﾝﾊﾟﾝｼﾞｰです", "Chimpanzee"},
    {SuperGeniusGradeText, " 超天才です", "Super genius"},

    {BeginnerSplashText, "チャレンジ初級コース", "Challenge: beginner"},
    {IntermediateSplashText, "チャレンジ中級コース", "Challenge: intermediate"},
    {AdvancedSplashText, "チャレンジ上級コース", "Challenge: advanced"},
    {SplashStageFormat, "%d個：%s秒", "%d in %ss"},

    {SettingsMissingText, "設定ファイルがありません", "There is no settings file."},
    {ReadErrorCaption, "リードエラー", "Read error"},
    {SettingsUnwritableText, "ファイルが書けません", "The file cannot be written."},
    {WriteErrorCaption, "ライトエラー", "Write error"},
    {HistoryUnwritableText, "成績の記録（history.csv）が書けません", "Your records (history.csv) cannot be written."},
    {StorageRestoredText, "ブラウザの保存領域が空だったため、設定と成績を予備の保存先から読み戻しました",
     "The browser's storage came up empty this time. Your settings and records were read back from the game's "
     "spare copy."},

    {SettingsTitle, "ゲーム設定", "Game Settings"},
    {CountLabel, "記憶個数", "Count"},
    {TimeLabel, "記憶時間", "Time"},
    {TriesLabel, "トライ回数", "Tries"},
    {ColorLabel, "隠す枠の色", "Cover"},
    {OkButton, "ＯＫ", "OK"},
    {FixedCourseButton, "固定コース", "Fixed"},
    {ChallengeCourseButton, "チャレンジコース", "Challenge"},
    {WhiteColorItem, "1:白色", "1:White"},
    {GreyColorItem, "2:灰色", "2:Grey"},
    {YellowColorItem, "3:黄色", "3:Yellow"},
    {LightBlueColorItem, "4:水色", "4:Cyan"},
    {PinkColorItem, "5:桃色", "5:Pink"},
    {BeginnerLevelItem, "1:初級から開始", "1:Beginner"},
    {IntermediateLevelItem, "2:中級から開始", "2:Intermediate"},
    {AdvancedLevelItem, "3:上級から開始", "3:Advanced"},

    {FixedResultTitle, "あなたの結果発表（固定コース）", "Your Result (Fixed Course)"},
    {ChallengeResultTitle, "あなたの結果発表（チャレンジコース）", "Your Result (Challenge Course)"},
    {CloseButton, "閉じる", "Close"},
    {OfTargetsLabel, "個中", "at"},
    {TargetsLabel, "個", ""},
    {SecondsLabel, "秒", "s"},
    {OfTriesLabel, "回中", "won"},
    {TimesLabel, "回", ""},
    {StagesClearedLabel, "クリアしたチャレンジステージ：", "Stages cleared:"},
    {FixedBestNoneText, "この設定の記録はまだありません", "No record for this setting yet"},
    {FixedBestNewFormat, "やったね！この設定の自己ベスト更新：%d回クリア", "Yes! New best for this setting, rounds won: %d"},
    {FixedBestFormat, "この設定の自己ベスト：%d回クリア", "Your best for this setting, rounds won: %d"},
    {ChallengeBestNoneText, "チャレンジの記録はまだありません", "No challenge record yet"},
    {ChallengeBestNewFormat, "やったね！自己ベスト更新：%dステージクリア", "Yes! New best, stages cleared: %d"},
    {ChallengeBestFormat, "チャレンジの自己ベスト：%dステージクリア", "Your challenge best, stages cleared: %d"},

    {AboutTitle, "このソフトについて", "About Glimmark"},
    {AboutVersionText, "バージョン１．１１", "Version 1.11"},
    {AboutTaglineText, "瞬間数値記憶ゲーム", "Flash memory game"},
    {AboutChallengeText, "あなたはチンパンジーに勝てるか？", "Beat the chimpanzee!"},
    {AboutNameText, "Glimmark", "Glimmark"},
    {AboutWindowsBuildText, "Build : MinGW-w64 GCC", "Build : MinGW-w64 GCC"},
    {AboutWindowsInterfaceText, "InterFace : Windods API", "InterFace : Windods API"},
    {AboutBrowserBuildText, "Build : Emscripten", "Build : Emscripten"},
    {AboutBrowserInterfaceText, "InterFace : HTML5", "InterFace : HTML5"},
    {AboutDevelopersText, "Glimmark developers", "Glimmark developers"},
    {AboutAddressText, "https://glimmark.example/", "https://glimmark.example/"},

    {RecordsMenuItem, "成績の記録...", "Records..."},
    {RecordsTitle, "成績の記録", "Records"},
    {GamesPlayedFormat, "遊んだ回数：固定コース %d回、チャレンジコース %d回",
     "Games played: fixed course %d, challenge course %d"},
    {RecordsChallengeBestNoneText, "チャレンジコースの自己ベスト：まだありません", "Challenge course best: none yet"},
    {RecordsChallengeBestFormat, "チャレンジコースの自己ベスト：%dステージクリア",
     "Challenge course best, stages cleared: %d"},
    {FixedBestsLabel, "固定コースの自己ベスト（設定ごと）", "Fixed course bests (for each setting)"},
    {FixedBestLineFormat, "%d個\t%s秒\t%d回中\t%d回クリア", "%d digits\t%s s\t%d tries\t%d won"},
    {NoFixedBestsText, "まだありません", "None yet"},
    {NoHistoryText, "まだ記録がありません。ゲームを終えるたびに、ここに成績が残ります。",
     "No records yet. Every game you finish is kept here."},
    {ChartLabel, "最近50回のチャレンジでクリアしたステージ（左が古い順）",
     "Stages cleared in your last 50 challenges (oldest on the left)"},
    {NoChallengeChartText, "チャレンジコースの記録はまだありません", "No challenge course games yet"},
    {BeginnerBandName, "初級", "Beg."},
    {IntermediateBandName, "中級", "Int."},
    {AdvancedBandName, "上級", "Adv."},
    {SaveHistoryButton, "ファイルに保存...", "Save to file..."},
    {LoadHistoryButton, "ファイルから追加...", "Add from file..."},

    {StartTooltip, "スタート", "Start"},
    {GameSettingsTooltip, "ゲーム設定", "Game settings"},
    {BrainLevelTooltip, "脳レベル", "Brain level"},
    {VersionTooltip, "バージョン", "Version"},
    {WebHelpTooltip, "Webヘルプ", "Web help"},
    {ExitTooltip, "終了", "Exit"},

    {BrowserMissingText, "Internet Explorerが見つかりませんでした。", "Internet Explorer was not found."},
    {BrowserMissingCaption, "残念！", "Too bad!"},
    {WebHelpAddress, "https://glimmark.example/help/", "https://glimmark.example/help/"},
};

constexpr bool RowsAreInIdOrder() {
    for (int32_t index = 0; index < TextIdCount; ++index) {
        if (PlayerTextRows[index].id != index || PlayerTextRows[index].english == nullptr) {
            return false;
        }
    }
    return true;
}
static_assert(RowsAreInIdOrder(), "a row is missing or out of place: texts would show under the wrong ids");

int32_t playerLanguage = JapaneseLanguage;

}  // namespace

void SetPlayerLanguage(int32_t language) {
    playerLanguage = language == EnglishLanguage ? EnglishLanguage : JapaneseLanguage;
}

int32_t PlayerLanguage() {
    return playerLanguage;
}

// An id from outside the table (a cast integer) reads as an empty text rather than past the end.
const char* PlayerTextIn(int32_t language, TextId id) {
    if (id < 0 || id >= TextIdCount) {
        return "";
    }
    const PlayerTextRow& row = PlayerTextRows[id];
    return language == EnglishLanguage ? row.english : row.japanese;
}

const char* PlayerText(TextId id) {
    return PlayerTextIn(playerLanguage, id);
}
