#pragma once

// Enables the right of the current process to restart the system. True only
// when it is held afterwards.
bool EnableShutdownPrivilege();
