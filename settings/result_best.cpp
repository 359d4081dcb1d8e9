// Records the game each result dialog ends and chooses that dialog's best line.
#include "result_best.h"

#include "game_host.h"
#include "game_state.h"
#include "history_file.h"

namespace {

// The game whose result dialog is open, from the moment it was recorded until that dialog closes.
struct FinishedGame {
    bool open;
    int32_t course;
    PersonalBest best;
};
FinishedGame finishedGame;

PersonalBest StandingBest(int32_t course) {
    if (finishedGame.open && finishedGame.course == course) {
        return finishedGame.best;
    }
    if (course == FixedCourse) {
        return {FixedBest({resultSnapshot.targetCount, resultSnapshot.displayTime, resultSnapshot.tries}), false};
    }
    return {GameHistory().challengeBest, false};
}

TextId BestLineFormat(int32_t course, const PersonalBest& best) {
    if (course == FixedCourse) {
        if (best.best == NoBest) {
            return FixedBestNoneText;
        }
        return best.isNew ? FixedBestNewFormat : FixedBestFormat;
    }
    if (best.best == NoBest) {
        return ChallengeBestNoneText;
    }
    return best.isNew ? ChallengeBestNewFormat : ChallengeBestFormat;
}

}  // namespace

void RunDialogEndingGame(int32_t templateId, TemplateRunner run, void* ownerWindow) {
    if (templateId == FixedResultTemplate || templateId == ChallengeResultTemplate) {
        int32_t course = templateId == FixedResultTemplate ? FixedCourse : ChallengeCourse;
        finishedGame = {true, course, RecordGame(FinishedGameRecord(course), ownerWindow)};
    }
    run(templateId);
    finishedGame.open = false;
}

BestLine ResultBestLine(int32_t course) {
    PersonalBest best = StandingBest(course);
    return {BestLineFormat(course, best), best.best};
}
