// lorvex-disk's run: lists the disk and archive images named on its command
// line (as text or JSON), and writes or prints the listing of every source
// image on them. Each image is read from the host and handed to a disk
// session, whose texts it prints; the command line's messages and every exit
// status are decided here.
#ifndef LORVEX_DRIVER_DISK_DRIVER_H
#define LORVEX_DRIVER_DISK_DRIVER_H

// Returns the process exit status: 0 when everything asked was done (a
// damaged image that was partly read included), 1 when an image could not
// be read at all, an output could not be written or was left as it was.
int lorvexDiskMain(int argc, char** argv);

#endif  // LORVEX_DRIVER_DISK_DRIVER_H
