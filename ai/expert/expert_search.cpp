// The Expert player's search: a chain-of-threats search for a forced win, then iterative
// deepening principal-variation alpha-beta with a transposition table, ordered moves near the
// stones, and replies to a threat to win at once resolved past the horizon.
#include "ai/expert/expert_search.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace ai {

namespace {

constexpr int win_score = 1000000;
constexpr int infinity = 2 * win_score;
constexpr int most_plies = 64;
constexpr int centre = 10;
// A threat to win at once is answered beyond the nominal depth, but not forever.
constexpr int most_forced_plies = 24;
// How many of the ordered moves are searched at the root, near it and deeper. The order puts
// every four, block and capture first, so the moves left out are quiet ones; leaving them out is
// what lets the search look several moves deep within its budget.
constexpr int root_breadth = 24;
constexpr int deep_breadth = 14;
constexpr int shallow_breadth = 9;
// The longest chain of threats tried.
constexpr int threat_chain_depth = 14;
constexpr int table_bits = 17;

enum class Bound : std::uint8_t {
    exact,
    lower,
    upper
};

struct TableEntry {
    std::uint64_t key = 0;
    int score = 0;
    Square move = 0;
    std::int16_t depth = -1;
    Bound bound = Bound::exact;
};

struct ScoredMove {
    Square square;
    int score;
};

class Search {
public:
    Search(const BoardSnapshot& snapshot, const ExpertLimits& limits)
        : board_(snapshot), limits_(limits), table_(std::size_t{1} << table_bits) {}

    ExpertChoice choose();

private:
    bool out_of_time();
    // True once the search is abandoned or past its time cap.
    bool given_up() const;
    int negamax(int depth, int alpha, int beta, int ply);
    bool threat_chain(int depth, Square* first);
    void ordered_moves(int ply, std::vector<ScoredMove>& out, Square hint);
    void forced_moves(const std::vector<Square>& threats, std::vector<ScoredMove>& out);
    int move_order_score(Square s) const;
    int root_search(int depth, int alpha, int beta, std::vector<ScoredMove>& moves, Square& best);
    TableEntry& entry() { return table_[board_.hash() & ((std::size_t{1} << table_bits) - 1)]; }
    ExpertChoice choice_at(Square s, ExpertReason reason) const;

    ExpertBoard board_;
    const ExpertLimits& limits_;
    std::chrono::steady_clock::time_point deadline_ =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(limits_.time_cap_ms);
    std::vector<TableEntry> table_;
    long nodes_ = 0;
    long threat_nodes_ = 0;
    bool stopped_ = false;
    std::array<std::vector<ScoredMove>, most_plies + 1> moves_;
    std::array<std::vector<Square>, most_plies + 1> threats_;
};

// A proved win or loss keeps its distance from the position where it was stored.
int to_table(int score, int ply) {
    if (score >= proven_win) return score + ply;
    if (score <= -proven_win) return score - ply;
    return score;
}

int from_table(int score, int ply) {
    if (score >= proven_win) return score - ply;
    if (score <= -proven_win) return score + ply;
    return score;
}

bool Search::out_of_time() {
    if (stopped_) return true;
    if (nodes_ > limits_.node_budget) stopped_ = true;
    if ((nodes_ & 255) == 0) stopped_ = stopped_ || given_up();
    return stopped_;
}

bool Search::given_up() const {
    return (limits_.abandon && limits_.abandon->load(std::memory_order_relaxed)) ||
           (limits_.time_cap_ms > 0 && std::chrono::steady_clock::now() > deadline_);
}

int Search::move_order_score(Square s) const {
    const auto me = static_cast<std::size_t>(board_.to_move() - 1), them = 1 - me;
    const ExpertBoard::SquareOutlook look = board_.outlook(s);
    int score = look.gain[me] + look.gain[them] / 2;
    // Taking pairs matters more the nearer it brings the fifth; so does stopping the other side
    // from taking them.
    score += look.takes[me] * (120 + 120 * board_.pairs(static_cast<int>(me) + 1));
    score += look.takes[them] * (100 + 120 * board_.pairs(static_cast<int>(them) + 1));
    if (look.exposed[me]) score -= 60 + 60 * board_.pairs(static_cast<int>(them) + 1);
    return score;
}

// Higher scores first; ties go to the earlier square, so that the order, and with it the choice,
// never varies.
bool before(const ScoredMove& a, const ScoredMove& b) {
    return a.score != b.score ? a.score > b.score : a.square < b.square;
}

void Search::ordered_moves(int ply, std::vector<ScoredMove>& out, Square hint) {
    out.clear();
    for (int y = 2; y <= 18; ++y)
        for (int x = 2; x <= 18; ++x) {
            const Square s = ExpertBoard::square(x, y);
            if (!board_.is_candidate(s)) continue;
            out.push_back({s, s == hint ? infinity : move_order_score(s)});
        }
    const std::size_t breadth = ply == 0 ? root_breadth : ply <= 2 ? deep_breadth : shallow_breadth;
    if (out.size() > breadth) {
        std::partial_sort(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(breadth),
                          out.end(), before);
        out.resize(breadth);
    } else {
        std::sort(out.begin(), out.end(), before);
    }
}

// Against a threat to win at once, only a stone on a winning point or a capture that breaks the
// line can help; every other move loses on the spot.
void Search::forced_moves(const std::vector<Square>& threats, std::vector<ScoredMove>& out) {
    out.clear();
    const int me = board_.to_move();
    for (const Square s : threats) out.push_back({s, move_order_score(s)});
    for (int y = 2; y <= 18; ++y)
        for (int x = 2; x <= 18; ++x) {
            const Square s = ExpertBoard::square(x, y);
            if (!board_.is_candidate(s) || board_.captures_at(s, me) == 0) continue;
            if (std::find(threats.begin(), threats.end(), s) != threats.end()) continue;
            out.push_back({s, move_order_score(s)});
        }
    std::sort(out.begin(), out.end(), before);
}

int Search::negamax(int depth, int alpha, int beta, int ply) {
    ++nodes_;
    if (out_of_time()) return 0;
    const int me = board_.to_move(), them = 3 - me;
    if (board_.can_win_now(me)) return win_score - ply - 1;
    std::vector<Square>& threats = threats_[static_cast<std::size_t>(ply)];
    threats.clear();
    board_.winning_squares(them, threats);
    const bool forced = !threats.empty();
    if (ply >= most_plies - 1 || (depth <= 0 && (!forced || ply >= most_forced_plies)))
        return board_.evaluate();

    TableEntry& stored = entry();
    Square hint = 0;
    if (stored.key == board_.hash()) {
        hint = stored.move;
        if (stored.depth >= depth) {
            const int score = from_table(stored.score, ply);
            if (stored.bound == Bound::exact || (stored.bound == Bound::lower && score >= beta) ||
                (stored.bound == Bound::upper && score <= alpha))
                return score;
        }
    }

    std::vector<ScoredMove>& moves = moves_[static_cast<std::size_t>(ply)];
    if (forced) {
        forced_moves(threats, moves);
        // Whatever is played, the other side wins next move.
        if (moves.empty()) return -(win_score - ply - 2);
    } else {
        ordered_moves(ply, moves, hint);
        if (moves.empty()) return 0; // a full board: nobody wins
    }
    // A single reply to a threat costs no depth: the chain it belongs to is seen to its end.
    const int next_depth = forced && moves.size() <= 2 ? depth : depth - 1;

    const int original_alpha = alpha;
    int best = -infinity;
    Square best_move = moves.front().square;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const Square s = moves[i].square;
        int score;
        if (board_.make(s)) {
            score = win_score - ply - 1;
        } else if (i == 0) {
            score = -negamax(next_depth, -beta, -alpha, ply + 1);
        } else {
            score = -negamax(next_depth, -alpha - 1, -alpha, ply + 1);
            if (score > alpha && score < beta) score = -negamax(next_depth, -beta, -alpha, ply + 1);
        }
        board_.unmake();
        if (stopped_) return 0;
        if (score > best) {
            best = score;
            best_move = s;
        }
        alpha = std::max(alpha, score);
        if (alpha >= beta) break;
    }
    TableEntry& slot = entry();
    slot.key = board_.hash();
    slot.score = to_table(best, ply);
    slot.move = best_move;
    slot.depth = static_cast<std::int16_t>(depth);
    slot.bound = best <= original_alpha ? Bound::upper : best >= beta ? Bound::lower : Bound::exact;
    return best;
}

// True iff the side to move wins by a chain of threats to win at once (fours, and threats of
// the fifth pair), every one of which the other side must answer; first receives its first move.
// The other side's every answer is tried: the blocks and every capture.
bool Search::threat_chain(int depth, Square* first) {
    if (++threat_nodes_ > limits_.threat_budget) return false;
    if ((threat_nodes_ & 255) == 0 && given_up()) threat_nodes_ = limits_.threat_budget + 1;
    const int me = board_.to_move(), them = 3 - me;
    std::vector<Square> wins;
    if (board_.winning_squares(me, wins) > 0) {
        if (first) *first = wins.front();
        return true;
    }
    if (depth == 0 || board_.can_win_now(them)) return false;

    std::vector<Square> threats;
    board_.four_making_squares(me, threats);
    // With four pairs held, a stone that brackets a pair next to an empty point threatens too.
    if (board_.pairs(me) >= ExpertBoard::pairs_to_win - 1)
        for (int y = 2; y <= 18; ++y)
            for (int x = 2; x <= 18; ++x) {
                const Square s = ExpertBoard::square(x, y);
                if (!board_.is_candidate(s)) continue;
                for (const int line : ExpertBoard::line_steps)
                    for (const int d : {line, -line})
                        if (board_.at(s + d) == them && board_.at(s + 2 * d) == them &&
                            board_.at(s + 3 * d) == 0 &&
                            std::find(threats.begin(), threats.end(), s) == threats.end())
                            threats.push_back(s);
            }
    for (const Square s : threats) {
        if (board_.make(s)) {
            board_.unmake();
            if (first) *first = s;
            return true;
        }
        bool holds = false;
        std::vector<Square> answers;
        if (!board_.can_win_now(them) && board_.winning_squares(me, answers) > 0) {
            for (int y = 2; y <= 18; ++y)
                for (int x = 2; x <= 18; ++x) {
                    const Square a = ExpertBoard::square(x, y);
                    if (board_.is_candidate(a) && board_.captures_at(a, them) > 0 &&
                        std::find(answers.begin(), answers.end(), a) == answers.end())
                        answers.push_back(a);
                }
            holds = true;
            for (const Square a : answers) {
                const bool lost = board_.make(a);
                const bool won = !lost && threat_chain(depth - 1, nullptr);
                board_.unmake();
                if (!won) {
                    holds = false;
                    break;
                }
            }
        }
        board_.unmake();
        if (holds) {
            if (first) *first = s;
            return true;
        }
        if (threat_nodes_ > limits_.threat_budget) return false;
    }
    return false;
}

int Search::root_search(int depth, int alpha, int beta, std::vector<ScoredMove>& moves,
                        Square& best) {
    int best_score = -infinity;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const Square s = moves[i].square;
        int score;
        if (board_.make(s)) {
            score = win_score - 1;
        } else if (i == 0) {
            score = -negamax(depth - 1, -beta, -alpha, 1);
        } else {
            score = -negamax(depth - 1, -alpha - 1, -alpha, 1);
            if (score > alpha && score < beta) score = -negamax(depth - 1, -beta, -alpha, 1);
        }
        board_.unmake();
        if (stopped_) break;
        moves[i].score = score;
        if (score > best_score) {
            best_score = score;
            best = s;
        }
        alpha = std::max(alpha, score);
    }
    return best_score;
}

ExpertChoice Search::choice_at(Square s, ExpertReason reason) const {
    ExpertChoice choice;
    choice.found = true;
    choice.x = ExpertBoard::x_of(s);
    choice.y = ExpertBoard::y_of(s);
    choice.reason = reason;
    choice.nodes = nodes_ + threat_nodes_;
    return choice;
}

ExpertChoice Search::choose() {
    if (limits_.abandon && limits_.abandon->load()) return {};
    if (board_.is_empty_board())
        return choice_at(ExpertBoard::square(centre, centre), ExpertReason::opening);
    const int me = board_.to_move(), them = 3 - me;
    std::vector<Square> wins;
    if (board_.winning_squares(me, wins) > 0) return choice_at(wins.front(), ExpertReason::win_now);

    std::vector<Square> threats;
    board_.winning_squares(them, threats);
    std::vector<ScoredMove> moves;
    if (threats.empty()) {
        Square first = 0;
        if (threat_chain(threat_chain_depth, &first))
            return choice_at(first, ExpertReason::forced_win);
        ordered_moves(0, moves, 0);
    } else {
        forced_moves(threats, moves);
    }
    if (moves.empty()) {
        // Every empty point is far from the stones, or none is left.
        for (int y = 2; y <= 18; ++y)
            for (int x = 2; x <= 18; ++x)
                if (board_.at(ExpertBoard::square(x, y)) == 0)
                    return choice_at(ExpertBoard::square(x, y), ExpertReason::look_ahead);
        return {};
    }
    const ExpertReason reason = threats.empty() ? ExpertReason::look_ahead : ExpertReason::stop_win;

    Square best = moves.front().square;
    int best_score = 0, reached = 0;
    for (int depth = 1; depth <= limits_.max_depth; ++depth) {
        Square found = best;
        const int score = root_search(depth, -infinity, infinity, moves, found);
        if (stopped_) {
            // The first move searched is the last depth's best; anything that beat it here is
            // better still.
            if (found != best && score > best_score) best = found;
            break;
        }
        best = found;
        best_score = score;
        reached = depth;
        // The best move first, the others by what this depth made of them.
        std::stable_sort(moves.begin(), moves.end(), [&](const ScoredMove& a, const ScoredMove& b) {
            return (a.square == best) > (b.square == best) ||
                   ((a.square == best) == (b.square == best) && a.score > b.score);
        });
        if (std::abs(score) >= proven_win || moves.size() == 1) break;
        if (nodes_ * 2 > limits_.node_budget) break;
    }
    if (limits_.abandon && limits_.abandon->load()) return {};
    ExpertChoice choice = choice_at(best, reason);
    choice.score = best_score;
    choice.depth = reached;
    return choice;
}

} // namespace

ExpertChoice choose_expert_move(const BoardSnapshot& snapshot, const ExpertLimits& limits) {
    Search search(snapshot, limits);
    return search.choose();
}

} // namespace ai
