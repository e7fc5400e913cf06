#include "platform/LargeBuffers.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

void LargeBuffers::keepInTheirOwnPages()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
