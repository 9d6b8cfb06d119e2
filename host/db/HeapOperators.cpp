#include <acut/AcHeapOperators.h>

#include <cstdlib>
#include <new>

void* AcHeapOperators::allocRawMem(std::size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    return p;
}

void AcHeapOperators::freeRawMem(void* p) { std::free(p); }
