#include "authlevel/shutdown_privilege.h"

#include "platform/last_error.h"
#include "platform/privilege.h"

bool EnableShutdownPrivilege() {
    return platform::AdjustTokenPrivileges(u"SeShutdownPrivilege") &&
           platform::GetLastError() == platform::ERROR_SUCCESS;
}
