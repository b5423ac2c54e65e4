// Integer to text into one static buffer: not re-entrant, and every call
// overwrites the text of the previous one.
#ifndef LORVEX_SUPPORT_KIO_ITOA_H
#define LORVEX_SUPPORT_KIO_ITOA_H

// Base 10: signed decimal. Base 16: lower-case hex digits, no prefix, no
// padding. Base 2: exactly eight digits, bit 7 down to bit 0. Any other base:
// the empty text.
const char* kio_itoa(int value, int base);

#endif  // LORVEX_SUPPORT_KIO_ITOA_H
