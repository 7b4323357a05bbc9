// KataGo's board behind the workloads' interface. The rules the workloads need are the same on
// both engines (simple ko, no suicide); what differs is kept here: the side to move and the
// colour numbers are the adapter's, and a pass leaves the ko point as it is, as ours does.
// The workloads play only stones they have just tested or that a recorded game played, so
// KataGo plays them on its fastest path, unchecked; our Play tests them again.

#include "bench/side_by_side/workload_runner.h"
#include "game/board.h"

namespace go::sidebyside {
namespace {

class KataGoBoard {
public:
    struct Cell {
        StoneColor color;
    };

    KataGoBoard() { Reset(); }

    void Reset() {
        static const Board kEmptyBoard(kBoardSize, kBoardSize);
        m_board = kEmptyBoard;
        m_side = kBlack;
    }
    // KataGo numbers empty 0, black 1, white 2: one less is this project's 255, 0, 1.
    Cell GetCell(int x, int y) const {
        return Cell{static_cast<StoneColor>(m_board.colors[Location::getLoc(x, y, kBoardSize)] - 1)};
    }
    int GetSideToMove() const { return m_side; }
    bool IsLegalMove(int color, int x, int y) const {
        if (color != m_side) return false;
        if (x == kNoCoord && y == kNoCoord) return true;
        return m_board.isLegal(Location::getLoc(x, y, kBoardSize), Player(color + 1), false);
    }
    bool PlaceStone(int color, int x, int y) {
        if (color != m_side) return false;
        if (x != kNoCoord || y != kNoCoord) m_board.playMoveAssumeLegal(Location::getLoc(x, y, kBoardSize), Player(color + 1));
        m_side = 1 - m_side;
        return true;
    }
    int blackCaptured() const { return m_board.numBlackCaptures; }
    int whiteCaptured() const { return m_board.numWhiteCaptures; }

private:
    Board m_board;
    int m_side = kBlack;
};

}  // namespace

std::unique_ptr<WorkloadRunner> MakeKataGoRunner() {
    Board::initHash();
    return std::make_unique<BoardRunner<KataGoBoard>>();
}

}  // namespace go::sidebyside
