// The two warnings decoding can raise about a damaged image. Decoder and
// model raise them here only; whoever runs the decoder decides where they
// go by installing a sink (a program that reads many images can name the
// image each came from, a test can collect them).
#ifndef LORVEX_MODEL_DECODE_WARNINGS_H
#define LORVEX_MODEL_DECODE_WARNINGS_H

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

// The sink in force; the stream sink until another is installed.
zeb_WarningSink& zeb_warnings();
// Installs a sink the caller keeps alive; null restores the stream sink.
void zeb_setWarningSink(zeb_WarningSink* sink);

#endif  // LORVEX_MODEL_DECODE_WARNINGS_H
