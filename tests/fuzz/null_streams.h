// What the code under fuzzing prints is of no interest, and writing it would
// only slow every run: standard output and error are sent nowhere.
#ifndef LORVEX_TESTS_FUZZ_NULL_STREAMS_H
#define LORVEX_TESTS_FUZZ_NULL_STREAMS_H

#include <iostream>
#include <streambuf>

namespace lorvex_fuzz {

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

inline void silenceStandardStreams() {
  static NullBuffer sink;
  std::cout.rdbuf(&sink);
  std::cerr.rdbuf(&sink);
}

}  // namespace lorvex_fuzz

#endif  // LORVEX_TESTS_FUZZ_NULL_STREAMS_H
