#include "model/decode_warnings.h"

#include <iostream>

namespace {

zeb_StreamWarnings streamWarnings;
zeb_WarningSink* current = &streamWarnings;

}  // namespace

void zeb_StreamWarnings::nullExpression(int lineNumber) {
  std::cerr << " warning: null expression; line " << lineNumber << "\n" << std::flush;
}

void zeb_StreamWarnings::corruptOperand(int tokenByte, int offset) {
  std::cout << " warning: seeing this probably means a corrupt source code file. [1 / " << tokenByte
            << " at " << offset << "]" << std::endl;
}

void zeb_KeptWarnings::tellTo(zeb_WarningSink& sink) const {
  for (const Warning& w : kept_) {
    if (w.corrupt) {
      sink.corruptOperand(w.first, w.offset);
    } else {
      sink.nullExpression(w.first);
    }
  }
}

zeb_WarningSink& zeb_warnings() {
  return *current;
}

void zeb_setWarningSink(zeb_WarningSink* sink) {
  current = sink ? sink : &streamWarnings;
}
