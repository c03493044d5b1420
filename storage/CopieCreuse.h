#pragma once
// Copying a range of one file into another file file to file, in blocks, with the
// holes of a sparse file left as holes (SEEK_DATA and SEEK_HOLE): a 3 GB file that
// holds nothing costs neither memory nor disk to copy. The bytes read back the same.

#include <sys/types.h>

#include <cstdint>

struct SAppelsEcriture;

// Copies the `n` bytes of `source` from `debut` to `destination` at its offset, which
// moves past them; the destination ends at least there. 0, or the errno of the failure
// (EIO for a source shorter than announced). The source's offset is not used.
int copierCreux(int source, std::uint64_t debut, std::uint64_t n, int destination, const SAppelsEcriture& appels);
