// The moves and tactic panels' refresh and the button that sets the games won back to 0.
#include "app/controller.h"

#include "app/window_ops.h"

namespace app {

void show_move_status() {
    app::set_caption(Control::moves_panel, game.move_count);
    app::set_caption(Control::scode_lab, game.strategy_code);
}

void Zero_games_won_Click() {
    game.games_won = {0, 0};
    app::set_caption(Control::r_games_won, game.games_won[1]);
    app::set_caption(Control::g_games_won, game.games_won[0]);
}

} // namespace app
