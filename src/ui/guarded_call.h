// The boundary of every event handler: an error that escapes the handler ends it, is
// shown in the error box, and the program goes on.
#pragma once

#include <functional>

#include "presenter.h"

namespace fluxeta::ui {

void GuardedCall(Presenter& presenter, const std::function<void()>& handler);

}  // namespace fluxeta::ui
