#include "model/operand_tokens.h"

const zeb_ValueToken zeb_VALUE_TOKENS[8] = {
    {zeb_HEX, 1, false},      {zeb_HEX, 2, false},      {zeb_DECIMAL, 1, false},
    {zeb_DECIMAL, 2, false},  {zeb_BINARY, 1, false},   {zeb_PROGRAM_COUNTER, 0, false},
    {zeb_CHARACTER, 1, true}, {zeb_BACKSLASH, 1, true},
};
