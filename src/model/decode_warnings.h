// The two warnings decoding can raise about a damaged image. Decoder and
// model raise them here only; whoever runs the decoder decides where they
// go by installing a sink (a program that reads many images can name the
// image each came from, a test can collect them).
#ifndef LORVEX_MODEL_DECODE_WARNINGS_H
#define LORVEX_MODEL_DECODE_WARNINGS_H

#include <vector>

class zeb_WarningSink {
 public:
  virtual ~zeb_WarningSink() = default;
  // A line that should carry an operand got none (line counts from 1).
  virtual void nullExpression(int lineNumber) = 0;
  // An operand byte that is no token: its value and its offset in the text area.
  virtual void corruptOperand(int tokenByte, int offset) = 0;
};

// The listing program's own sink: the null-expression warning on standard
// error, the corrupt-operand warning on standard output, each line flushed.
class zeb_StreamWarnings : public zeb_WarningSink {
 public:
  void nullExpression(int lineNumber) override;
  void corruptOperand(int tokenByte, int offset) override;
};

// Keeps the warnings raised while it is installed, in order, so that they
// can be told to another sink later.
class zeb_KeptWarnings : public zeb_WarningSink {
 public:
  void nullExpression(int lineNumber) override { kept_.push_back({false, lineNumber, 0}); }
  void corruptOperand(int tokenByte, int offset) override {
    kept_.push_back({true, tokenByte, offset});
  }
  bool empty() const { return kept_.empty(); }
  // Tells `sink` every warning kept, in the order they were raised.
  void tellTo(zeb_WarningSink& sink) const;

 private:
  struct Warning {
    bool corrupt;
    int first;   // the line number, or the token byte
    int offset;  // the corrupt operand's offset
  };
  std::vector<Warning> kept_;
};

// The sink in force; the stream sink until another is installed.
zeb_WarningSink& zeb_warnings();
// Installs a sink the caller keeps alive; null restores the stream sink.
void zeb_setWarningSink(zeb_WarningSink* sink);

#endif  // LORVEX_MODEL_DECODE_WARNINGS_H
