// Base of the host's classes whose objects a module may create and delete: new and delete
// go through the host's allocator so that an object made on one side of the module
// boundary can be freed on the other.
#pragma once

#include <cstddef>

class __attribute__((visibility("default"))) AcHeapOperators {
public:
    static void* allocRawMem(std::size_t size);
    static void freeRawMem(void* p);

    static void* operator new(std::size_t size) { return allocRawMem(size); }
    static void* operator new[](std::size_t size) { return allocRawMem(size); }
    static void operator delete(void* p) { freeRawMem(p); }
    static void operator delete[](void* p) { freeRawMem(p); }
    // Placement forms stay usable for containers that build objects in place.
    static void* operator new(std::size_t, void* where) { return where; }
    static void operator delete(void*, void*) {}
};
