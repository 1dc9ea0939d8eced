#pragma once

/// Tells the C library's allocator to serve large blocks from the ordinary
/// heap and to keep freed memory for reuse instead of handing it back to the
/// system at once. Opening a large layout frees and allocates blocks of
/// hundreds of kilobytes; by default each is mapped anew and every page of
/// it is faulted in again, which on virtual machines costs more than the
/// work done in it. Call first thing in main; a no-op where the allocator
/// has no such settings.
void KeepFreedHeapForReuse();
