// The volume steps both engines make on the tuner's own level (TV 0..31, FM 0..16).
#pragma once

// Reads the tuner's level and moves it one step (step +1 or -1) within
// 0..maxVolume: a step up to 1 unmutes first, a step down to 0 mutes after.
// *level gets the new level. Returns the read's result: negative when the tuner
// did not answer, and then *level holds what the read left and nothing is set.
int StepTunerVolume(int tuner, int step, int maxVolume, int* level);

// The tuner's level into *level; the read's result (negative: no answer).
int ReadTunerVolume(int tuner, int* level);
