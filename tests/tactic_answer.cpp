// The text of a tactic's answer, from the move it made on the recording window.
#include "tactic_answer.h"

#include "engine/game_state.h"
#include "recording/recording.h"
#include "view/board_view.h"

#include <gtest/gtest.h>

namespace tactic_answer {

std::string last_point() {
    return std::to_string(engine::move_x) + "," + std::to_string(engine::move_y);
}

std::string answer(bool (*tactic)()) {
    const std::size_t before = recording::count_calls("create_image");
    const bool placed = tactic();
    EXPECT_EQ(recording::count_calls("create_image") - before, placed ? 1u : 0u);
    if (!placed) return "none";
    view::remove_stone_image(engine::cur_color, engine::move_count + 1);
    return last_point();
}

} // namespace tactic_answer
