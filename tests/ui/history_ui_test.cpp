// The game history under Wine: the best lines of games the core ends, the Brain-level button, and the records dialog.
#include "ui_test_support.h"

#include "history_file.h"
#include "resource_ids.h"

using namespace UiTest;
using HistoryUi = MainWindowFixture;

TEST_F(HistoryUi, GamesTheCoreEndsAreRecordedAndShownButTheBrainLevelButtonAddsNothing) {
    RecordGame({FixedCourse, 7, 4, 10, 3, 2, 0, Pig}, nullptr);  // the prepared history
    RecordGame({ChallengeCourse, 5, 0, 5, 0, 0, 6, Pig}, nullptr);
    ASSERT_NE(OpenMainWindow(), nullptr);
    resultSnapshot = {7, 8, 10, 3, 3, 5, 7};  // all three rounds of 7 at 1.0 s, one more than before
    roundState.stage = 9;                     // eight stages cleared, two more than before
    std::vector<std::string> shown;
    auto show = [&](std::function<void()> open, int controlId) {
        ModalDriver::Drive(open, {[&](HWND dialog) { shown.push_back(ItemText(dialog, controlId)); }, CloseByCloseBox});
    };
    show([] { windowsGameHost.runDialog(IDD_FIXED_RESULT); }, IDC_RESULT_BEST);
    show([] { windowsGameHost.runDialog(IDD_CHALLENGE_RESULT); }, IDC_RESULT_BEST);
    show([&] { Send(WM_COMMAND, IDM_BRAIN_LEVEL); }, IDC_RESULT_BEST);
    show([&] { Send(WM_SYSCOMMAND, IDM_RECORDS); }, IDC_RECORDS_GAMES);
    EXPECT_EQ(shown, (std::vector<std::string>{"やったね！この設定の自己ベスト更新：3回クリア",
                                                "やったね！自己ベスト更新：8ステージクリア", "この設定の自己ベスト：3回クリア",
                                                "遊んだ回数：固定コース 2回、チャレンジコース 2回"}));
}
