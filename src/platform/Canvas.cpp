#include "platform/Canvas.h"

namespace lm {

int32_t averageCharWidth(Canvas& canvas)
{
    const int32_t letters = canvas.textWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (letters / 26 + 1) / 2;
}

} // namespace lm
