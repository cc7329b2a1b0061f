// The stand-in libdv.so: the SiS video calls of interfaces/vendor/sis_video.h
// (whose argument choices and video record it implements) on the simulated
// display controller.
//
// Behaviour:
// - CreateSiSVideo makes four buffers after the visible screen and fills the
//   whole record; the window's calls (window, enable, flip, source) fail
//   without video. Linux_SetVideoWindow keys the window with the given colour.
//   The overlay shows the flipped buffer, planar 4:2:0, once the window is
//   set and video is enabled.
// - ReleaseSiSVideo hides the overlay if it shows one of the buffers and
//   frees them; SiSUninit releases video still held.
// - Brightness maps onto the overlay as level - 128, contrast as level / 128.
//
// Journal lines: the arguments in order, records and out pointers left out.
// E.g. "SiSInit", "CreateSiSVideo 720 576", "Linux_SetVideoWindow 0 0 719 575
// 2081", "Linux_VideoEnable 1", "Linux_VideoFlip 1 1", "SetVideoBrightness
// 255", "GetVideoBrightness".
//
// Faults: by name, any call. By kind, answering 1: init SiSInit; surface
// CreateSiSVideo.
#pragma once
