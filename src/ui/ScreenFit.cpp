#include "ScreenFit.h"

QSize sizeWithinScreen(const QSize &wanted, const QRect &available)
{
    return wanted.boundedTo(available.marginsRemoved(kWindowFrameAllowance).size());
}
