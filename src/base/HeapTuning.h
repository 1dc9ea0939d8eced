#pragma once

/// Sets the C library's allocator up for a process that opens layouts: large
/// blocks come from the ordinary heap, freed memory is kept for reuse rather
/// than handed back to the system at once, and the heap's first stretch is
/// backed by huge pages where the kernel allows. Opening a large layout
/// frees and allocates blocks of hundreds of kilobytes and touches some
/// megabytes of fresh memory; by default each block is mapped anew and every
/// 4 KB page faulted in on its own, which on virtual machines costs more than
/// the work done in it. Call first thing in main; a no-op where the
/// allocator has no such settings.
void TuneHeap();
