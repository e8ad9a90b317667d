// What a screen reader learns of the window: the board as a table of points, the status panels
// by name and value, and the computer's moves in words.
#pragma once

#include <string>

class QLabel;
class QString;

namespace app {

// Lets the board and the named status panels describe themselves. Called once, after the
// application object exists: the descriptions installed last are asked first.
void install_accessibility();

// Tells the readers that a named status panel shows a new value.
void tell_panel_changed(QLabel* panel);

// After the status panels' refresh: states the computer's newest move with its tactic, once.
void tell_computer_move(const std::string& tactic);

// States a hint where the computer's moves are stated, until the next move replaces it.
void tell_hint(const QString& text);

} // namespace app
