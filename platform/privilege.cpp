#include "platform/privilege.h"

#include "platform/last_error.h"

#include <unistd.h>

namespace platform {

bool AdjustTokenPrivileges(std::u16string_view privilegeName) {
    if (privilegeName != u"SeShutdownPrivilege") {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    SetLastError(geteuid() == 0 ? ERROR_SUCCESS : ERROR_NOT_ALL_ASSIGNED);
    return true;
}

} // namespace platform
