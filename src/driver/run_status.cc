#include "driver/run_status.h"

#include <cerrno>
#include <cstring>
#include <iostream>

#include "support/kio_getopt.h"

const char kStandardOutput[] = "standard output";

int fail(const std::string& message) {
  std::cerr << message << std::endl;
  return kError;
}

int reportParseErrors(const kio_Getopt& options, const char* invocation, const std::string& usage,
                      const std::string& shortHelp) {
  return reportParseErrors(options.errors(), invocation, usage, shortHelp);
}

int reportParseErrors(const std::vector<std::string>& errors, const char* invocation,
                      const std::string& usage, const std::string& shortHelp) {
  for (const std::string& error : errors) {
    std::cerr << invocation << ": " << error << std::endl;
  }
  std::cerr << usage << std::endl;
  std::cerr << shortHelp << std::endl;
  return kError;
}

int checkWritten(std::ostream& out, const std::string& name) {
  if (out.good()) out.flush();
  if (out.good()) return kOk;
  const int cause = errno != 0 ? errno : EIO;
  return fail("error: cannot write " + name + ": " + std::strerror(cause));
}
