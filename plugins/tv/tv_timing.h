// Pauses of the TV controller that are long for a test (the upgrade notice and
// the channel display after an unknown key); tests shorten them.
#pragma once

// Default 4000 ms each.
int TvNoticeDelayMs();
void SetTvNoticeDelayMs(int ms);
