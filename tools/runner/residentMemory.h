#pragma once

// The process's resident memory in KB (what the system holds in RAM for it), or -1
// where it cannot be read.
long residentMemoryKb();
