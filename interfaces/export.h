// Marks the few symbols a library exports; everything else is hidden by the
// build's default visibility.
#pragma once

#define ZAQ_EXPORT __attribute__((visibility("default")))
