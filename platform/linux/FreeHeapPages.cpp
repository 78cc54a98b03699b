#include "platform/linux/FreeHeapPages.h"

#include <malloc.h>

namespace ruvo {

void ReturnFreeHeapPages() {
    malloc_trim(0);  // glibc: also the free pages inside each heap, not only at its top
}

}  // namespace ruvo
