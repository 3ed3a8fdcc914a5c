// Digit tables of the Q4.12 text conversions.
#include "fx_convert.h"

const int16_t fx_step_tenths[10] = {0, 410, 820, 1229, 1639, 2048, 2458, 2868, 3277, 3687};
const int16_t fx_step_hundredths[10] = {0, 41, 82, 123, 164, 205, 246, 287, 328, 369};
const int16_t fx_step_thousandths[10] = {0, 5, 9, 13, 17, 21, 25, 29, 33, 37};
const char fx_last_digit[5] = {'0', '2', '4', '6', '8'};
