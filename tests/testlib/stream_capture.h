// Redirects a standard stream into a string for the life of the object, so a
// test can see what the program wrote to it.
#ifndef LORVEX_TESTS_TESTLIB_STREAM_CAPTURE_H
#define LORVEX_TESTS_TESTLIB_STREAM_CAPTURE_H

#include <ostream>
#include <sstream>
#include <string>

namespace lorvex_test {

class StreamCapture {
 public:
  explicit StreamCapture(std::ostream& redirected)
      : stream(redirected), saved(redirected.rdbuf(captured.rdbuf())) {}
  ~StreamCapture() { stream.rdbuf(saved); }
  StreamCapture(const StreamCapture&) = delete;
  StreamCapture& operator=(const StreamCapture&) = delete;

  std::string text() const { return captured.str(); }

 private:
  std::ostringstream captured;
  std::ostream& stream;
  std::streambuf* saved;
};

}  // namespace lorvex_test

#endif  // LORVEX_TESTS_TESTLIB_STREAM_CAPTURE_H
