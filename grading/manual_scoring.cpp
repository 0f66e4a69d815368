#include "grading/manual_scoring.h"

int cursor_step(int cursor, int delta, int count)
{
    const int moved = cursor + delta;
    return moved >= 1 && moved <= count ? moved : cursor;
}
