// The timer that paces the computer's moves.
#include "app/controller.h"

#include "app/window_ops.h"

namespace app {

// The timer fires once per enabling.
void Timer1_Timer() { platform::set_timer_enabled(false); }

} // namespace app
