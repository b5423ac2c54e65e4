// The program's run: options, identity texts, input, decoding and output.
// Every message the program prints and every exit status is decided here.
#ifndef LORVEX_DRIVER_DRIVER_H
#define LORVEX_DRIVER_DRIVER_H

// Returns the process exit status: 0 for every completed run, 1 for every
// error reported on standard error.
int lorvexMain(int argc, char** argv);

#endif  // LORVEX_DRIVER_DRIVER_H
