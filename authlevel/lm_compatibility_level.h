#pragma once

// The LAN Manager authentication level: lmcompatibilitylevel (REG_DWORD)
// under SYSTEM\CurrentControlSet\Control\Lsa of the local machine.

// The stored level as its four bytes give it, or -1 when the key or the
// value cannot be read. The value's type is not examined.
int ReadLmCompatibilityLevel();

// Stores the level as a DWORD; returns level, or 0 when it could not be
// written. The key is created when the system lacks it.
int WriteLmCompatibilityLevel(int level);
