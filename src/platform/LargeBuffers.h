#pragma once

// How the C library hands out large blocks, for the whole process. The program sets it in its
// main(), as does the benchmark that measures the program's memory; a library never does, so
// that tests and tools linking the editing area run with the C library's own behaviour.
namespace LargeBuffers {

// The C library gives blocks of 128 KB and more their own pages, returned to the system when
// freed, but raises that bar to the largest such block freed so far: once the 16 MB of a file just
// read are freed, the buffers of a big document (its RTF, its plain text) come from the shared
// heap instead, where growing one copies it and freeing one keeps its pages. Fixing the bar
// keeps every large buffer in pages of its own, grown in place and returned when freed.
void keepInTheirOwnPages();

} // namespace LargeBuffers
