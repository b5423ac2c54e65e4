// Everything process-wide that decoding and rendering read: the conversion
// settings, the label table of the last decoded source, the warning sink and
// the label span sink.
#ifndef LORVEX_SOURCE_PROCESS_STATE_H
#define LORVEX_SOURCE_PROCESS_STATE_H

// Restores all of it to how the process starts: settings at their start
// values, no labels, the stream warning sink. For any caller that decodes
// several images in one process, and for tests, fuzzers and benchmarks.
void zeb_resetProcessState();

#endif  // LORVEX_SOURCE_PROCESS_STATE_H
