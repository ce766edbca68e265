#pragma once
#include <sys/types.h>

// The user "nobody", as the owner of files another user would have made.
// Giving a file to it needs root, which the tests have.
inline constexpr uid_t kNobodyUid = 65534;
inline constexpr gid_t kNobodyGid = 65534;
