// The stand-in libNVDLL.so: the NVIDIA calls of
// interfaces/vendor/nvidia_video.h (whose argument choices, records and
// picture rules it implements) on the simulated display controller.
//
// Behaviour:
// - Nothing works before _Z9NvInitDllv (-1), and frames not before an
//   output (NvMMInit) and a source rectangle. NvMMInit changes the display
//   mode to the output size at the current depth (releasing its own frame
//   buffers first); a size of 0 x 0 or one without a mode gives -1.
// - Each frame is copied into the next of two buffers of its own after the
//   visible screen (re-made when the source size changes) and shown through
//   the overlay plane without keying: the destination black, the picture
//   placed in it by the letterbox rules, the source part chosen by source,
//   zoom and offset. _Z16NvIVideoVideoEndv hides it until the next frame.
// - Screens of the on-screen display are handles of the library; regions
//   lie inside their screen. The one shown with _Z16NvIScreenDisplayPv lies
//   over the whole scan-out.
//
// Journal lines: the exported (mangled) name, then the arguments in order;
// rectangles as their four values, the video configuration as its eleven
// words, the colour configuration as its eight values (floats %g), a frame
// as "frame" or "(null)", screens and regions as their numbers (1, 2, ... in
// creation order), pixel data left out. E.g.
// "_Z8NvMMInit12NvOutputMode13NvMonitorModejjj13NvAspectRatio 1 3 1024 768
// 60 0", "_Z17NvIVideoSetSourceRK6NvRect 0 0 720 480",
// "_Z18NvIVideoVideoFramePKv15NvPictureFormat frame 2",
// "_Z17NvIVideoSetZoomXYff 1.125 1".
//
// Faults: by name, any call (the armed result is returned). By kind,
// answering -1: init _Z9NvInitDllv; mode NvMMInit.
#pragma once
