#pragma once
// Kernel pseudo-file systems: folders whose entries are the kernel's own state
// (processes, devices, control groups, tracing) rather than files someone stored.

// True when `typeSysteme`, the f_type that statfs gives, is one of them.
bool estSystemeNoyau(long typeSysteme);
