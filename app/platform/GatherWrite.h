#pragma once

#include <cstddef>

// One piece of a write made of many.
struct WriteBuffer {
    const void* data;
    std::size_t bytes;
};

// The most buffers one call of writeBuffers takes.
int maxWriteBuffers();
// Writes every buffer whole, in order, to the open file descriptor, with as few system calls
// as the system allows. False on failure, with errno telling why.
bool writeBuffers(int fd, WriteBuffer* parts, int count);
