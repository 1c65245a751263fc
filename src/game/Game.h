// The rules engine: every routine of a turn, the ball supply, start and finish, undo and the figure scans.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/GameState.h"
#include "game/Hint.h"
#include "game/KeptGame.h"
#include "game/Modes.h"
#include "game/Ports.h"
#include "game/Random.h"
#include "game/TurnReport.h"

namespace zv {

// The picture position that shows a cell value; -1 for values outside 0..6.
int ColourPicture(ColourCode v);

// Points of a removed block group of n balls: 1.7 n rounded half to even, minus 4.
std::int32_t BlockPoints(std::int32_t n);

// Running totals of what the rules did since the last ResetTotals(); they cost
// a few additions per turn and let tests and the autoplayer check the books.
struct Tally {
    std::int64_t turns = 0;         // moves made
    std::int64_t refused = 0;       // moves refused for lack of a path
    std::int64_t ballsRemoved = 0;  // balls taken off by figures and groups
    std::int64_t ballsDropped = 0;  // preview balls put on the board
    std::int64_t ballsDealt = 0;    // starting balls
    std::int64_t figurePoints = 0;  // points added by the figure scans
    std::int64_t undos = 0;         // undos made (each costs 3 points)
    std::int64_t hints = 0;         // hints taken (each costs kHintPrice)
};

namespace kit {
struct StateAccess;
}

// A position to play on, for tools and benchmarks that set up a game: a running game of the mode with this
// board, preview, score and record, nothing selected, no blocked cells, no undo.
struct Position {
    Mode mode = Mode::Line;
    Grid board;
    std::array<ColourCode, 4> next{1, 2, 3, 4};
    std::int32_t score = 0;
    std::int32_t record = kDefaultRecord;
};

// The points the mode's figures give at once for moving the ball at cell from to cell to (numbers 1..100)
// on a board; the board is left as it is.
std::int32_t MovePoints(Mode mode, const Grid& board, int from, int to);

// The rules and the one owner of the game state: everything else reads the state and
// changes it only through the operations below.
class Game {
public:
    Game(BoardView& view, SoundPlayer& sound, RecordWriter& records, const Clock& clock);

    const GameState& State() const { return s_; }
    Random& Rng() { return rng_; }

    // The mode held by the hidden radio buttons (RadioButton1 checked at start-up).
    Mode CheckedMode() const { return checked_; }
    bool ModeSelectorsEnabled() const { return selectorsEnabled_; }

    // Click handlers. ImClick(n) is im1Click .. im100Click; a click on a cell whose
    // blocked overlay is shown is dropped, as the overlay takes it. Each tells what it did; the
    // report stays valid until the next of these operations.
    const TurnReport& ImClick(int n);
    const TurnReport& GstartClick();
    // GstartClick with a chosen game number instead of the clock's: the same number, mode and moves deal
    // and draw the same game (blocked cells of advanced mode included).
    const TurnReport& StartNumberedGame(std::uint32_t number);
    // The running (or last) game's number.
    std::uint32_t GameNumber() const { return number_; }
    const TurnReport& finishClick();
    const TurnReport& TurnBackClick();
    // The hint (H): the strategy's move for the running game, told in the report (hinted, hint), for
    // kHintPrice points. Nothing happens, and nothing is paid, when no game runs or no ball can move.
    const TurnReport& HintClick(const HintEffort& effort = {});
    void lineClick();
    void cubeClick();
    void crossClick();
    void ringClick();
    void cornerClick();

    // Whether the undo button would take a move back now: once, after a move that scored nothing.
    bool UndoAvailable() const { return s_.UndoAllowed == 1 && s_.Score == s_.ScoreBeforeMove; }
    // Ends a selection without a move: nothing selected, the highlight gone, no sound.
    const TurnReport& EndSelection();
    // What the last of the player's operations did.
    const TurnReport& LastReport() const { return report_; }

    // Start-up and exit. The settings as read; a mode's record as read from its file (the
    // record label shows its text); the record step when the window goes away.
    void LoadSettings(const Settings& settings);
    void LoadRecord(Mode mode, const std::string& text, std::int32_t value);
    void RecordAtExit();
    // The options window and the skins.
    void SetAdvancedMode(bool on);
    void SetFullScreen(bool on);
    void SetSound(bool on);
    void SetSkinIndex(std::int32_t number);

    // Routines over the state; public so tests can drive each one.
    const TurnReport& CellClick(CellPos clicked);
    void StartGame();
    void StartGame(std::uint32_t number);
    void RedrawBoard();
    void FigureScan();
    void NewNextBalls();
    void DropNextBalls();
    void DealStartingBalls();
    void ClearBlockedCells();
    void ScatterBlockedCells();
    void ShowSelection();
    void HideSelection();

    // The running game as it can be kept across a restart; nothing when no game is running.
    std::optional<KeptGame> Keep() const;
    // Goes on with a kept game: shown, the mode selectors disabled, the mode's record read as a game start
    // reads it. Refused, nothing changed, with a one-line reason for one that cannot go on under the rules.
    bool Resume(const KeptGame& kept, std::string& problem);

    // Sets up a position (see Position) and draws it.
    void SetPosition(const Position& p);

    const Tally& Totals() const { return tally_; }
    void ResetTotals() { tally_ = Tally{}; }

private:
    friend struct kit::StateAccess; // tests set up positions directly
    friend std::int32_t MovePoints(Mode, const Grid&, int, int);

    void ChooseMode(Mode m);
    // Shows a game taken up where it stands (a set position or a kept game): its mode marked, the mode selectors
    // disabled, no banner, its board, preview and score, nothing selected or blocked, waiting for a click. Its
    // record, counts and undo are the caller's.
    void ShowGameInPlay(Mode mode, const Grid& board, const std::array<ColourCode, 4>& next, std::int32_t score);
    // A mode's record as a game start reads it: its text shown (the default's when it is not a number), its value.
    std::int32_t ShowRecordOf(Mode m);
    // The record rule: a score that reaches the mode's record (equality counts) is written.
    bool ReachesRecord() const { return s_.Score >= s_.BestScore; }
    void RecordIfReached(); // the record step at the end of a figure scan
    // Notes in the report the balls a figure scan took off and the points it added.
    void NoteRemoval(const Grid& before, std::int32_t scoreBefore);
    void SetBlocked(int cell, bool shown);
    bool FindPath();        // the bounded sweep search from SelectedCell to ClickedCell
    void MakeMove();
    void RefuseMove();
    void Sound(const char* fileName);
    // Starts the report of a player's operation.
    const TurnReport& Begin();
    // Notes in the report that the running game ended, the first time only.
    void ReportFinished(GameEnd how);
    // The cells a move passed, by a shortest route over empty cells; the board holds no marks.
    void TracePath(CellPos from, CellPos to);
    void WriteRecord(Mode m, std::int32_t score);

    GameState s_;
    BoardView& view_;
    SoundPlayer& sound_;
    RecordWriter& records_;
    const Clock& clock_;
    TurnReport report_;
    Random rng_;
    Mode checked_ = Mode::Line;
    bool selectorsEnabled_ = true;
    Tally tally_;
    std::uint32_t number_ = 0;
};

} // namespace zv
